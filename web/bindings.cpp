// The WebAssembly interface of the page and of kelmora-core.mjs: the design
// and field tables as JSON, the Calculate command on 13 texts, and the same
// command through a form over the page's own boxes. Every text crosses as
// UTF-8; every answer is JSON.
#include <emscripten/emscripten.h>

#include <array>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "web/json_text.h"
#include "window/calculate.h"
#include "window/control_layout.h"
#include "window/credits.h"
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

std::string_view ControlKindName(ControlKind kind) {
  switch (kind) {
    case ControlKind::GroupBox:
      return "groupBox";
    case ControlKind::Label:
      return "label";
    case ControlKind::InputBox:
      return "inputBox";
    case ControlKind::ResultBox:
      return "resultBox";
    case ControlKind::Button:
      return "button";
  }
  return "unknown";
}

std::string ErrorJson(const RunTimeError& error) {
  return "{\"error\":{\"kind\":" + JsonString(KindName(error.kind())) +
         ",\"place\":" + JsonString(error.place()) +
         ",\"message\":" + JsonString(DescribeError(error)) +
         ",\"fieldToFix\":" + JsonString(FieldToFix(error)) + "}}";
}

// Runs the command; its results (the 8 result fields in table order) or its
// error, as JSON.
std::string Run(CalculatorForm& form) {
  try {
    btn_calc_Click(form);
  } catch (const RunTimeError& error) {
    return ErrorJson(error);
  }
  std::string json = "{\"results\":[";
  const char* separator = "";
  for (const Field& field : kFields) {
    if (!IsInput(field.role)) {
      json += separator + JsonString(form.text(field.name));
      separator = ",";
    }
  }
  return json + "]}";
}

std::string DesignJson() {
  std::string json = "{\"caption\":" + JsonString(kWindowCaption) +
                     ",\"width\":" + std::to_string(TwipsToPixels(kClientWidthTwips)) +
                     ",\"height\":" + std::to_string(TwipsToPixels(kClientHeightTwips)) +
                     ",\"controls\":[";
  const char* separator = "";
  for (const Control& c : kControls) {
    const Field* field = FindField(c.name);
    const std::string caption =
        c.name == "Label9" ? CreditsNotice(KELMORA_VERSION, "WebAssembly") : std::string(c.text);
    json += separator;
    separator = ",";
    json += "{\"name\":" + JsonString(c.name) + ",\"kind\":" + JsonString(ControlKindName(c.kind)) +
            ",\"caption\":" + JsonString(caption) +
            ",\"left\":" + std::to_string(TwipsToPixels(c.left)) +
            ",\"top\":" + std::to_string(TwipsToPixels(c.top)) +
            ",\"width\":" + std::to_string(TwipsToPixels(c.width)) +
            ",\"height\":" + std::to_string(TwipsToPixels(c.height)) +
            ",\"focus\":" + std::to_string(c.focus) + ",\"bold\":" + (c.bold ? "true" : "false") +
            ",\"maxLength\":" + std::to_string(c.max_length) +
            ",\"wraps\":" + (c.wraps ? "true" : "false");
    if (field != nullptr) {
      json += ",\"label\":" + JsonString(field->label) +
              ",\"defaultText\":" + JsonString(field->default_text) +
              ",\"input\":" + (IsInput(field->role) ? "true" : "false");
    }
    json += "}";
  }
  return json + "]}";
}

// A string the caller frees with free().
char* Copy(const std::string& text) {
  char* bytes = static_cast<char*>(std::malloc(text.size() + 1));
  std::memcpy(bytes, text.c_str(), text.size() + 1);
  return bytes;
}

}  // namespace
}  // namespace kelmora

extern "C" {

// The design and field tables, as JSON. Free the result with free().
EMSCRIPTEN_KEEPALIVE char* kelmora_design() {
  return kelmora::Copy(kelmora::DesignJson());
}

// The Calculate command on the 13 input texts, given as `count` UTF-8 strings
// of the given byte lengths laid end to end (so any text, NULs included,
// arrives whole). Free the JSON result with free().
EMSCRIPTEN_KEEPALIVE char* kelmora_calculate(const char* bytes, const std::uint32_t* lengths,
                                             std::uint32_t count) {
  kelmora::MemoryForm form;
  std::uint32_t next = 0;
  std::size_t offset = 0;
  for (const kelmora::Field& field : kelmora::kFields) {
    if (!kelmora::IsInput(field.role) || next == count)
      continue;
    form.setText(field.name, std::string(bytes + offset, lengths[next]));
    offset += lengths[next++];
  }
  return kelmora::Copy(kelmora::Run(form));
}

// The Calculate command on the page's boxes. Free the JSON result with free().
EMSCRIPTEN_KEEPALIVE char* kelmora_page_calculate() {
  kelmora::PageForm form;
  return kelmora::Copy(kelmora::Run(form));
}
}
