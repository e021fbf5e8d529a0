// The credits notice under the input grid, shared by every front end; each
// names what it was built with.
#pragma once

#include <string>
#include <string_view>

namespace kelmora {

inline std::string CreditsNotice(std::string_view version, std::string_view built_with) {
  return "Kelmora " + std::string(version) +
         " \xE2\x80\x94 free software under the MIT License. Built with " +
         std::string(built_with) + ".";
}

}  // namespace kelmora
