// The WebAssembly interface of the page and of kelmora-core.mjs. Texts cross
// as UTF-8, `count` of them laid end to end with their byte lengths (so that
// any text, NULs included, arrives whole); every answer is JSON, freed by the
// caller with free().
#include <emscripten/emscripten.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "web/answers.h"
#include "window/fields.h"

namespace kelmora {
namespace {

// The page's boxes, reached through the hooks its script installs. A box's
// text comes back with its length, so that a NUL in it is kept.
EM_JS(char*, PageBoxText, (const char* name, std::uint32_t* length), {
  const text = Module["pageForm"].getText(UTF8ToString(name));
  const size = lengthBytesUTF8(text) + 1;
  const bytes = _malloc(size);
  stringToUTF8(text, bytes, size);
  HEAPU32[length >> 2] = size - 1;
  return bytes;
});
EM_JS(void, SetPageBoxText, (const char* name, const char* text),
      { Module["pageForm"].setText(UTF8ToString(name), UTF8ToString(text)); });

// As WidgetForm is over the Qt boxes.
class PageForm : public CalculatorForm {
 public:
  std::string text(std::string_view field) const override {
    std::uint32_t length = 0;
    char* bytes = PageBoxText(std::string(field).c_str(), &length);
    std::string text(bytes, length);
    std::free(bytes);
    return text;
  }
  // Only results are written, and they are plain digits.
  void setText(std::string_view field, std::string text) override {
    SetPageBoxText(std::string(field).c_str(), text.c_str());
  }
};

std::vector<std::string> Texts(const char* bytes, const std::uint32_t* lengths,
                               std::uint32_t count) {
  std::vector<std::string> texts;
  std::size_t offset = 0;
  for (std::uint32_t i = 0; i < count; ++i) {
    texts.emplace_back(bytes + offset, lengths[i]);
    offset += lengths[i];
  }
  return texts;
}

constexpr std::size_t kInputCount = 13;

// The window's 13 inputs in reading order, from the front of `texts`.
MemoryForm InputForm(const std::vector<std::string>& texts) {
  MemoryForm form;
  std::size_t next = 0;
  for (const Field& field : kFields) {
    if (IsInput(field.role) && next < texts.size())
      form.setText(field.name, texts[next++]);
  }
  return form;
}

// The texts after the 13 inputs.
std::vector<std::string> Rest(const std::vector<std::string>& texts) {
  return texts.size() <= kInputCount
             ? std::vector<std::string>()
             : std::vector<std::string>(texts.begin() + kInputCount, texts.end());
}

char* Copy(const std::string& text) {
  char* bytes = static_cast<char*>(std::malloc(text.size() + 1));
  std::memcpy(bytes, text.c_str(), text.size() + 1);
  return bytes;
}

}  // namespace
}  // namespace kelmora

using kelmora::Copy;
using kelmora::Texts;

extern "C" {

EMSCRIPTEN_KEEPALIVE char* kelmora_design() {
  return Copy(kelmora::DesignJson());
}

// The Calculate command on the 13 input texts in reading order.
EMSCRIPTEN_KEEPALIVE char* kelmora_calculate(const char* bytes, const std::uint32_t* lengths,
                                             std::uint32_t count) {
  kelmora::MemoryForm form = kelmora::InputForm(Texts(bytes, lengths, count));
  return Copy(kelmora::CalculateJson(form));
}

// The 13 inputs, then the level texts to show the ranges at.
EMSCRIPTEN_KEEPALIVE char* kelmora_project(const char* bytes, const std::uint32_t* lengths,
                                           std::uint32_t count) {
  const auto texts = Texts(bytes, lengths, count);
  return Copy(kelmora::ProjectJson(kelmora::InputForm(texts), kelmora::Rest(texts)));
}

// The 13 inputs, then the extra levels of the Levels table.
EMSCRIPTEN_KEEPALIVE char* kelmora_level_table(const char* bytes, const std::uint32_t* lengths,
                                               std::uint32_t count) {
  const auto texts = Texts(bytes, lengths, count);
  return Copy(kelmora::LevelTableJson(kelmora::InputForm(texts), kelmora::Rest(texts)));
}

// The 13 inputs, then 5 texts per further sighting: its level and HP, MP, PA, MA.
EMSCRIPTEN_KEEPALIVE char* kelmora_narrow(const char* bytes, const std::uint32_t* lengths,
                                          std::uint32_t count) {
  const auto texts = Texts(bytes, lengths, count);
  const auto rest = kelmora::Rest(texts);
  std::vector<kelmora::Sighting> sightings;
  for (std::size_t i = 0; i + 5 <= rest.size(); i += 5)
    sightings.push_back({rest[i], {rest[i + 1], rest[i + 2], rest[i + 3], rest[i + 4]}});
  return Copy(kelmora::NarrowJson(kelmora::InputForm(texts), sightings));
}

// One level text, as typed in the box for a new level.
EMSCRIPTEN_KEEPALIVE char* kelmora_read_level(const char* bytes, const std::uint32_t* lengths,
                                              std::uint32_t count) {
  const auto texts = Texts(bytes, lengths, count);
  return Copy(kelmora::ReadLevelJson(texts.empty() ? std::string() : texts[0]));
}

// The Calculate command on the page's own boxes.
EMSCRIPTEN_KEEPALIVE char* kelmora_page_calculate() {
  kelmora::PageForm form;
  return Copy(kelmora::CalculateJson(form));
}
}
