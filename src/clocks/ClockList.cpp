// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ClockList.h"

#include <cmath>
#include <limits>
#include <variant>

#include "core/Text.h"
#include "core/XmlLines.h"

namespace wc {

namespace {

// One element of a clock: the record's member it holds, or a part of the
// record's daylight-saving rule.
template <class R>
struct Field {
  const char* element;
  std::variant<std::string R::*, std::int32_t R::*, bool R::*, double R::*, std::uint8_t R::*,
               std::int32_t DstRule::*>
      member;
};

const Field<AClockInfo> kAClockFields[] = {
    {"themefile", &AClockInfo::ThemeFile},
    {"secondimage", &AClockInfo::SecondImage},
    {"roundimage", &AClockInfo::RoundImage},
    {"hourimage", &AClockInfo::HourImage},
    {"minuteimage", &AClockInfo::MinuteImage},
    {"cityname", &AClockInfo::cityname},
    {"shortcityname", &AClockInfo::shortcityname},
    {"tzd", &AClockInfo::tzd},
    {"dst", &DstRule::dst},
    {"weekno", &DstRule::weekno},
    {"weekno1", &DstRule::weekno1},
    {"month", &DstRule::month},
    {"month1", &DstRule::month1},
    {"dayofweek", &DstRule::dayofweek},
    {"dayofweek1", &DstRule::dayofweek1},
    {"tycity", &AClockInfo::TYCity},
    {"tydate", &AClockInfo::TYDate},
    {"textcolor", &AClockInfo::TextColor},
    {"textsize", &AClockInfo::TextSize},
    {"hidedate", &AClockInfo::HideDate},
    {"hideseconds", &AClockInfo::HideSeconds},
    {"hideampm", &AClockInfo::HideAMPM},
    {"formx", &AClockInfo::x},
    {"formy", &AClockInfo::y},
    {"alwaystop", &AClockInfo::AlwaysTop},
    {"alphavalue", &AClockInfo::AlphaValue},
    {"clockwidth", &AClockInfo::clockwidth},
    {"clockheight", &AClockInfo::clockheight},
    {"clockrad", &AClockInfo::clockrad},
};

const Field<DClockInfo> kDClockFields[] = {
    {"themefile", &DClockInfo::ThemeFile},
    {"cityname", &DClockInfo::cityname},
    {"shortcityname", &DClockInfo::shortcityname},
    {"tzd", &DClockInfo::tzd},
    {"dst", &DstRule::dst},
    {"weekno", &DstRule::weekno},
    {"weekno1", &DstRule::weekno1},
    {"month", &DstRule::month},
    {"month1", &DstRule::month1},
    {"dayofweek", &DstRule::dayofweek},
    {"dayofweek1", &DstRule::dayofweek1},
    {"hidedate", &DClockInfo::HideDate},
    {"hideseconds", &DClockInfo::HideSeconds},
    {"hideampm", &DClockInfo::HideAMPM},
    {"formx", &DClockInfo::x},
    {"formy", &DClockInfo::y},
    {"alwaystop", &DClockInfo::AlwaysTop},
    {"alphavalue", &DClockInfo::AlphaValue},
};

template <class R, std::size_t N>
std::string ListText(const std::vector<R>& list, const Field<R> (&fields)[N], const char* root,
                     const char* item) {
  XmlLineWriter w;
  w.line(std::string("<") + root + ">");
  for (const R& r : list) {
    w.line(std::string("<") + item + ">");
    for (const Field<R>& f : fields) {
      std::string value;
      if (auto s = std::get_if<std::string R::*>(&f.member)) {
        value = r.*(*s);
      } else if (auto i = std::get_if<std::int32_t R::*>(&f.member)) {
        value = std::to_string(r.*(*i));
      } else if (auto b = std::get_if<bool R::*>(&f.member)) {
        value = r.*(*b) ? "-1" : "0";
      } else if (auto d = std::get_if<double R::*>(&f.member)) {
        value = FloatToStr(r.*(*d));
      } else if (auto a = std::get_if<std::uint8_t R::*>(&f.member)) {
        value = std::to_string(r.*(*a));
      } else if (auto p = std::get_if<std::int32_t DstRule::*>(&f.member)) {
        value = std::to_string(r.rule.*(*p));
      }
      w.element(f.element, value);
    }
    w.line(std::string("</") + item + ">");
  }
  w.line(std::string("</") + root + ">");
  return w.bytes();
}

// Strict decimal integer (blanks around it allowed); nothing otherwise.
bool ReadInt(std::string_view text, std::int32_t& out) {
  const std::int32_t a = StrToIntDef(text, 0);
  if (a == 0 && StrToIntDef(text, 1) == 1) return false;
  out = a;
  return true;
}

// A number (non-zero is true) or the words True/False in any case.
bool ReadBool(std::string_view text, bool& out) {
  const std::string_view t = TrimView(text);
  if (EqualsIgnoreCaseAscii(t, "true")) {
    out = true;
    return true;
  }
  if (EqualsIgnoreCaseAscii(t, "false")) {
    out = false;
    return true;
  }
  const double v = StrToFloatDef(t, std::numeric_limits<double>::quiet_NaN());
  if (std::isnan(v)) return false;
  out = v != 0;
  return true;
}

// Every "." becomes the regional separator and the number is read with that
// separator, so "." and the regional form are both accepted; in the form the
// number reader knows, that is every regional separator read as ".".
bool ReadTzd(std::string_view text, std::string_view separator, double& out) {
  std::string plain;
  for (std::size_t i = 0; i < text.size();) {
    if (!separator.empty() && text.substr(i, separator.size()) == separator) {
      plain += '.';
      i += separator.size();
    } else {
      plain += text[i++];
    }
  }
  const double v = StrToFloatDef(plain, std::numeric_limits<double>::quiet_NaN());
  if (std::isnan(v)) return false;
  out = v;
  return true;
}

template <class R, std::size_t N>
std::string ParseList(pugi::xml_node root, std::string_view separator, const Field<R> (&fields)[N],
                      std::vector<R>& list) {
  std::string firstProblem;
  int index = 0;
  for (pugi::xml_node node = root.first_child(); node; node = node.next_sibling()) {
    if (node.type() != pugi::node_element) continue;  // layout text or a comment is no clock
    ++index;
    R r;
    // A clock without <alphavalue> (a hand-made or older list) is opaque: the
    // zero it would otherwise keep makes a clock nobody can see or click.
    r.AlphaValue = 255;
    std::string problem;
    for (pugi::xml_node child = node.first_child(); child && problem.empty(); child = child.next_sibling()) {
      if (child.type() != pugi::node_element) continue;
      for (const Field<R>& f : fields) {
        if (std::string_view(child.name()) != f.element) continue;
        const std::string text = NodeValue(child);
        bool ok = true;
        if (auto s = std::get_if<std::string R::*>(&f.member)) {
          r.*(*s) = text;
        } else if (auto i = std::get_if<std::int32_t R::*>(&f.member)) {
          ok = ReadInt(text, r.*(*i));
        } else if (auto b = std::get_if<bool R::*>(&f.member)) {
          ok = ReadBool(text, r.*(*b));
        } else if (auto d = std::get_if<double R::*>(&f.member)) {
          ok = ReadTzd(text, separator, r.*(*d));
        } else if (auto a = std::get_if<std::uint8_t R::*>(&f.member)) {
          std::int32_t v = 0;
          ok = ReadInt(text, v);
          if (ok) r.*(*a) = static_cast<std::uint8_t>(v & 0xFF);
        } else if (auto p = std::get_if<std::int32_t DstRule::*>(&f.member)) {
          ok = ReadInt(text, r.rule.*(*p));
        }
        if (!ok) {
          problem = "the clock number " + std::to_string(index) + " has <" + f.element + "> \"" + text +
                    "\", which is not a valid value";
        }
        break;
      }
    }
    if (problem.empty()) {
      list.push_back(std::move(r));
    } else if (firstProblem.empty()) {
      firstProblem = problem;
    }
  }
  return firstProblem;
}

template <class R, std::size_t N>
ClockFileResult ReadList(const std::string& path, std::string_view separator, const Field<R> (&fields)[N],
                         std::vector<R>& list) {
  ClockFileResult result;
  pugi::xml_document doc;
  XmlLoadResult file = LoadXmlFile(path, doc, XmlDamage::KeepCompleteRecords);
  result.status = file.status;
  result.error = file.error;
  if (file.status == XmlLoadStatus::Unreadable) {
    result.canSave = false;
    return result;
  }
  const std::size_t before = list.size();
  const std::string problem = ParseList(doc.document_element(), separator, fields, list);
  if (file.status == XmlLoadStatus::Malformed) {
    result.canSave = !file.setAsidePath.empty();
    result.error += " " + KeptRecordsText(list.size() - before, "clock", "clocks", file);
    return result;
  }
  if (problem.empty()) return result;
  // The file is kept as it was for the user to mend; the clocks that could be
  // read go on, and the next save writes them afresh.
  result.error = "The file \"" + path + "\" is damaged: " + problem + ". That clock was left out.";
  if (auto copy = KeepCopyOfBadFile(path)) {
    result.error += " A copy of the file has been kept as \"" + *copy + "\".";
  } else {
    result.error += " The file could not be copied and is left as it is; it will not be overwritten.";
    result.canSave = false;
  }
  return result;
}

}  // namespace

std::string AClockListText(const AClockList& list) {
  return ListText(list, kAClockFields, "aclocks", "aclock");
}

std::string DClockListText(const DClockList& list) {
  return ListText(list, kDClockFields, "dclocks", "dclock");
}

std::string ParseAClockList(const pugi::xml_node root, std::string_view decimalSeparator, AClockList& list) {
  return ParseList(root, decimalSeparator, kAClockFields, list);
}

std::string ParseDClockList(const pugi::xml_node root, std::string_view decimalSeparator, DClockList& list) {
  return ParseList(root, decimalSeparator, kDClockFields, list);
}

ClockFileResult ReadAClockList(const std::string& path, std::string_view decimalSeparator, AClockList& list) {
  return ReadList(path, decimalSeparator, kAClockFields, list);
}

ClockFileResult ReadDClockList(const std::string& path, std::string_view decimalSeparator, DClockList& list) {
  return ReadList(path, decimalSeparator, kDClockFields, list);
}

}  // namespace wc
