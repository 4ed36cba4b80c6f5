#include "XmlLines.h"

namespace wc {

std::string XmlEscapeText(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (const char c : text) {
    if (c == '&')
      out += "&amp;";
    else if (c == '<')
      out += "&lt;";
    else
      out += c;
  }
  return out;
}

XmlLineWriter::XmlLineWriter() {
  text_ = "\xEF\xBB\xBF";
  line(R"(<?xml version="1.0" encoding="UTF-8" ?>)");
}

void XmlLineWriter::line(std::string_view raw) {
  text_ += raw;
  text_ += "\r\n";
}

void XmlLineWriter::element(std::string_view name, std::string_view text) {
  text_ += '<';
  text_ += name;
  text_ += '>';
  text_ += XmlEscapeText(text);
  text_ += "</";
  text_ += name;
  text_ += ">\r\n";
}

}  // namespace wc
