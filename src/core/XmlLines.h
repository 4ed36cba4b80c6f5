#pragma once
// The program's own XML files are written line by line, not through the DOM,
// so their bytes stay exactly as every earlier version wrote them: UTF-8 with
// a byte-order mark, CR LF after every line, no indentation, one element per
// line, "&" and "<" written as references.

#include <string>
#include <string_view>

namespace wc {

// "&" as "&amp;" and "<" as "&lt;"; everything else as it is.
std::string XmlEscapeText(std::string_view text);

class XmlLineWriter {
 public:
  // Starts with the byte-order mark and the declaration line.
  XmlLineWriter();
  // A line written as it is (tags).
  void line(std::string_view raw);
  // <name>text</name>, the text escaped.
  void element(std::string_view name, std::string_view text);
  const std::string& text() const { return text_; }

 private:
  std::string text_;
};

}  // namespace wc
