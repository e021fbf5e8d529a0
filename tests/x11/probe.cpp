// What the real-X tests need to know without Qt: where each control sits, and
// what the Calculate command makes of a set of texts.
//   probe layout                  name left top width height focus, in pixels
//   probe fields                  name and default text of each of the 21 fields
//   probe calculate FILE x 13     the 8 results, or "error" with the message and the box to fix
#include <cstdio>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>
#include <string_view>

#include "window/calculate.h"
#include "window/control_layout.h"
#include "window/fields.h"

namespace {

using namespace kelmora;

int PrintLayout() {
  for (const Control& c : kControls) {
    std::cout << c.name << ' ' << TwipsToPixels(c.left) << ' ' << TwipsToPixels(c.top) << ' '
              << TwipsToPixels(c.width) << ' ' << TwipsToPixels(c.height) << ' ' << c.focus << '\n';
  }
  return 0;
}

int PrintFields() {
  for (const Field& field : kFields)
    std::cout << field.name << ' ' << field.default_text << '\n';
  return 0;
}

int Calculate(int count, char** files) {
  MemoryForm form;
  int next = 0;
  for (const Field& field : kFields) {
    if (!IsInput(field.role))
      continue;
    if (next == count) {
      std::cerr << "probe: calculate needs one file for each of the 13 inputs\n";
      return 2;
    }
    std::ifstream in(files[next++], std::ios::binary);
    form.setText(field.name, std::string(std::istreambuf_iterator<char>(in), {}));
  }
  try {
    btn_calc_Click(form);
  } catch (const RunTimeError& error) {
    std::cout << "error\n" << DescribeError(error) << '\n' << FieldToFix(error) << '\n';
    return 0;
  }
  for (const Field& field : kFields) {
    if (!IsInput(field.role))
      std::cout << form.text(field.name) << '\n';
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string_view command = argc > 1 ? argv[1] : "";
  if (command == "layout")
    return PrintLayout();
  if (command == "fields")
    return PrintFields();
  if (command == "calculate")
    return Calculate(argc - 2, argv + 2);
  std::cerr << "usage: probe layout | probe fields | probe calculate FILE...\n";
  return 2;
}
