#include "runner/drawing_text.h"

#include <algorithm>
#include <cstdlib>
#include <map>
#include <sstream>
#include <stdexcept>

namespace dgntest {
namespace {

[[noreturn]] void fail(const std::string& why) { throw std::invalid_argument(why); }

double number(const std::string& s) {
  char* end = nullptr;
  const double v = std::strtod(s.c_str(), &end);
  if (s.empty() || *end != '\0') fail("not a number: " + s);
  return v;
}

int64_t integer(const std::string& s) {
  char* end = nullptr;
  const long long v = std::strtoll(s.c_str(), &end, 0);
  if (s.empty() || *end != '\0') fail("not an integer: " + s);
  return v;
}

std::vector<std::string> split(const std::string& s, char sep) {
  std::vector<std::string> parts;
  std::string part;
  std::istringstream in(s);
  while (std::getline(in, part, sep)) parts.push_back(part);
  return parts;
}

std::vector<int64_t> integers(const std::string& s) {
  std::vector<int64_t> v;
  for (const std::string& p : split(s, ',')) v.push_back(integer(p));
  return v;
}

// "(x,y)(x,y,z)...": z is 0 when left out.
std::vector<Point3> points(const std::string& s) {
  std::vector<Point3> pts;
  for (const std::string& p : split(s, ')')) {
    if (p.empty()) continue;
    if (p[0] != '(') fail("points are written (x,y) or (x,y,z): " + s);
    const std::vector<int64_t> v = integers(p.substr(1));
    if (v.size() < 2 || v.size() > 3) fail("a point has 2 or 3 coordinates: " + p + ")");
    pts.push_back({int32_t(v[0]), int32_t(v[1]), int32_t(v.size() == 3 ? v[2] : 0)});
  }
  return pts;
}

// Bytes as hexadecimal pairs, blanks between them or not.
Bytes hexBytes(std::string s) {
  s.erase(std::remove(s.begin(), s.end(), ' '), s.end());
  if (s.size() % 2 != 0) fail("bytes are written as two hex digits each: " + s);
  Bytes b;
  for (size_t i = 0; i < s.size(); i += 2) b.push_back(uint8_t(std::stoul(s.substr(i, 2), nullptr, 16)));
  return b;
}

// A quoted text with \xNN, \" and \\ escapes; `pos` is left after the quote.
std::string quoted(const std::string& line, size_t& pos) {
  std::string out;
  for (++pos; pos < line.size() && line[pos] != '"'; ++pos) {
    if (line[pos] != '\\') {
      out += line[pos];
    } else if (line.compare(pos + 1, 1, "x") == 0 && pos + 3 < line.size()) {
      out += char(std::stoul(line.substr(pos + 2, 2), nullptr, 16));
      pos += 3;
    } else if (++pos < line.size()) {
      out += line[pos];
    }
  }
  if (pos >= line.size()) fail("a text without its closing quote");
  ++pos;
  return out;
}

// The words of a line: `key=value` pairs, flags, and one quoted text.
struct Words {
  std::string kind, textValue;
  std::map<std::string, std::string> values;
  std::vector<std::string> links;  // in order: link=... and items=...

  bool has(const std::string& k) const { return values.count(k) != 0; }
  std::string take(const std::string& k, const std::string& otherwise = "") {
    auto it = values.find(k);
    if (it == values.end()) return otherwise;
    std::string v = it->second;
    values.erase(it);
    return v;
  }
};

Words words(const std::string& line) {
  Words w;
  size_t pos = 0;
  while (pos < line.size()) {
    if (line[pos] == ' ' || line[pos] == '\t') {
      ++pos;
    } else if (line[pos] == '"') {
      w.textValue = quoted(line, pos);
      w.values["text"] = "";
    } else {
      const size_t end = line.find_first_of(" \t", pos);
      const std::string word = line.substr(pos, end == std::string::npos ? end : end - pos);
      pos = end == std::string::npos ? line.size() : end;
      const size_t eq = word.find('=');
      if (w.kind.empty()) {
        w.kind = word;
      } else if (word.compare(0, 5, "link=") == 0 || word.compare(0, 6, "items=") == 0) {
        w.links.push_back(word);
      } else if (eq == std::string::npos) {
        w.values[word] = "yes";
      } else {
        w.values[word.substr(0, eq)] = word.substr(eq + 1);
      }
    }
  }
  return w;
}

Rotation rotation(Words& w, int dim) {
  const std::string r = w.take("rot");
  if (r.empty()) return noTurn(dim);
  Rotation out;
  for (int64_t v : integers(r)) out.push_back(int32_t(v));
  if (out.size() != (dim == 3 ? 4u : 1u)) fail("rot= takes 1 value in 2D, 4 in 3D");
  return out;
}

Real3 real3(const std::string& s) {
  const std::vector<std::string> p = split(s, ',');
  if (p.size() < 2 || p.size() > 3) fail("a position has 2 or 3 coordinates: " + s);
  return {number(p[0]), number(p[1]), p.size() == 3 ? number(p[2]) : 0.0};
}

Point3 point3(const std::string& s) { return points("(" + s + ")").at(0); }

// One 0x1007 item: CODE=VALUE[:HEADER:WORD1:WORD2].
Bytes item1007(const std::string& item) {
  const std::vector<std::string> p = split(item, ':');
  const size_t eq = p[0].find('=');
  if (eq == std::string::npos || (p.size() != 1 && p.size() != 4)) {
    fail("an item is CODE=VALUE[:HEADER:WORD1:WORD2]: " + item);
  }
  const int16_t code = int16_t(integer(p[0].substr(0, eq)));
  const int32_t value = int32_t(integer(p[0].substr(eq + 1)));
  if (p.size() == 1) return linkage1007(code, value);
  return linkage1007(code, value, uint16_t(integer(p[1])), uint16_t(integer(p[2])),
                     uint16_t(integer(p[3])));
}

// items=CODE=VALUE,... (0x1007), link=1007:ITEM, link=1003:A,B,C,
// link=1013:W6,W7,W8,F,W16, link=words:W,W,...
Bytes linkage(const std::string& word) {
  if (word.compare(0, 6, "items=") == 0) {
    Bytes b;
    for (const std::string& item : split(word.substr(6), ',')) {
      const Bytes l = item1007(item.compare(0, 5, "1007:") == 0 ? item.substr(5) : item);
      b.insert(b.end(), l.begin(), l.end());
    }
    return b;
  }
  const std::string body = word.substr(5);
  const size_t colon = body.find(':');
  if (colon == std::string::npos) fail("link=TYPE:VALUES: " + word);
  const std::string type = body.substr(0, colon), rest = body.substr(colon + 1);
  if (type == "1007") return item1007(rest);
  const std::vector<std::string> p = split(rest, ',');
  if (type == "1003" && p.size() == 3) {
    return linkage1003(uint16_t(integer(p[0])), uint16_t(integer(p[1])), uint16_t(integer(p[2])));
  }
  if (type == "1013" && p.size() == 5) {
    return linkage1013(uint16_t(integer(p[0])), uint16_t(integer(p[1])), uint16_t(integer(p[2])),
                       float(number(p[3])), uint16_t(integer(p[4])));
  }
  if (type == "words") {
    std::vector<uint16_t> w;
    for (const std::string& v : p) w.push_back(uint16_t(integer(v)));
    return linkageWords(w);
  }
  fail("unknown linkage: " + word);
}

Element element(Words& w, int dim) {
  const std::string& k = w.kind;
  const uint16_t count = uint16_t(integer(w.take("count", "0")));
  if (k == "line") {
    const std::vector<Point3> p = points(w.take("points"));
    if (p.size() != 2) fail("a line has two points");
    return line(dim, p[0][0], p[0][1], p[0][2], p[1][0], p[1][1], p[1][2]);
  }
  if (k == "linestring") return lineString(dim, points(w.take("points")));
  if (k == "shape") return shape(dim, points(w.take("points")));
  if (k == "curve") return curve(dim, points(w.take("points")));
  if (k == "arc" || k == "ellipse") {
    const std::vector<std::string> axes = split(w.take("axes"), ',');
    if (axes.size() != 2) fail("axes=A,B");
    const Rotation r = rotation(w, dim);
    const Real3 at = real3(w.take("at", "0,0,0"));
    if (k == "ellipse") return ellipse(dim, number(axes[0]), number(axes[1]), r, at);
    const uint32_t sweep = sweepSignMagnitude(integer(w.take("sweep", "0")));
    return arc(dim, int32_t(integer(w.take("start", "0"))), sweep, number(axes[0]), number(axes[1]),
               r, at);
  }
  if (k == "text") {
    if (!w.has("text")) fail("a text needs its characters in quotes");
    w.take("text");
    const Rotation r = rotation(w, dim);
    return text(dim, uint8_t(integer(w.take("font", "0"))), uint8_t(integer(w.take("just", "0"))),
                int32_t(integer(w.take("height", "1000"))), r, point3(w.take("at", "0,0,0")),
                w.textValue);
  }
  if (k == "cell") {
    std::vector<int32_t> matrix;
    for (int64_t v : integers(w.take("matrix", dim == 3 ? "214748,0,0,0,214748,0,0,0,214748"
                                                        : "214748,0,0,214748"))) {
      matrix.push_back(int32_t(v));
    }
    return cellHeader(dim, w.take("name").c_str(), matrix, point3(w.take("at", "0,0,0")));
  }
  if (k == "chain") return complexHeader(12, count);
  if (k == "cshape") return complexHeader(14, count);
  if (k == "textnode") return textNode(count);
  fail("unknown element kind: " + k);
}

void applyCommon(Element& e, Words& w) {
  for (auto [key, field] : {std::pair{"level", &e.level}, {"style", &e.style},
                             {"colour", &e.colour}, {"weight", &e.weight}, {"type", &e.type}}) {
    if (w.has(key)) *field = int(integer(w.take(key)));
  }
  if (w.has("group")) e.graphicGroup = uint16_t(integer(w.take("group")));
  e.complexBit = w.take("complex") == "yes";
  e.deletedBit = w.take("deleted") == "yes";
  if (w.has("range")) {
    const std::vector<int64_t> r = integers(w.take("range"));
    if (r.size() != 6) fail("range= takes six values");
    for (int i = 0; i < 6; ++i) e.range[i] = int32_t(r[i]);
  }
  // patch=N:HEX,...: bytes written from element byte N (36 or more) on, over
  // the body or past its end, where a field must disagree with the rest.
  for (const std::string& p : split(w.take("patch"), ',')) {
    const size_t colon = p.find(':');
    const Bytes bytes = hexBytes(colon == std::string::npos ? "" : p.substr(colon + 1));
    const int64_t at = colon == std::string::npos ? 0 : integer(p.substr(0, colon)) - 36;
    if (at < 0 || bytes.empty()) fail("patch=N:HEX with N >= 36: " + p);
    if (e.body.size() < size_t(at) + bytes.size()) e.body.resize(size_t(at) + bytes.size());
    std::copy(bytes.begin(), bytes.end(), e.body.begin() + at);
  }
  for (const std::string& l : w.links) {
    const Bytes b = linkage(l);
    e.linkages.insert(e.linkages.end(), b.begin(), b.end());
  }
  if (w.has("attrindex")) e.attributeIndexOverride = uint16_t(integer(w.take("attrindex")));
  if (w.has("props")) e.propertiesOverride = uint16_t(integer(w.take("props")));
}

}  // namespace

bool buildDrawing(const std::string& text, Bytes& design, std::string& error) {
  std::istringstream in(text);
  std::string line;
  int number = 0;
  DesignFile drawing(2);
  bool endMarker = true, sawDesign = false;
  Bytes tail;
  try {
    while (std::getline(in, line)) {
      ++number;
      const size_t hash = line.find(" #");
      if (hash != std::string::npos) line.erase(hash);
      if (line.empty() || line[0] == '#') continue;
      Words w = words(line);
      if (w.kind == "design") {
        if (sawDesign) fail("one design line, first");
        sawDesign = true;
        drawing = DesignFile(w.has("3d") ? 3 : 2);
        w.take("3d");
        w.take("2d");
        if (w.has("units")) {
          const std::vector<int64_t> u = integers(w.take("units"));
          if (u.size() != 2) fail("units=SUBUNITS_PER_MASTER,UNITS_PER_SUBUNIT");
          drawing.units(uint32_t(u[0]), uint32_t(u[1]));
        }
        if (w.has("origin")) {
          const Real3 o = real3(w.take("origin"));
          drawing.origin(o[0], o[1], o[2]);
        }
        endMarker = w.take("end", "yes") != "no";
      } else if (!sawDesign) {
        fail("the first line is: design 2d|3d [units=S,U] [origin=X,Y,Z] [end=no]");
      } else if (w.kind == "raw") {
        drawing.addRaw(hexBytes(line.substr(line.find("raw") + 3)));
        continue;
      } else if (w.kind == "tail") {  // bytes after the end marker, or instead of it
        const Bytes b = hexBytes(line.substr(line.find("tail") + 4));
        tail.insert(tail.end(), b.begin(), b.end());
        continue;
      } else {
        const int dim = drawing.headerElement()[0] == 200 ? 3 : 2;
        Element e = element(w, dim);
        applyCommon(e, w);
        drawing.add(e);
      }
      if (!w.values.empty()) fail("unknown word: " + w.values.begin()->first);
    }
    if (!sawDesign) fail("no design line");
  } catch (const std::exception& e) {
    error = "line " + std::to_string(number) + ": " + e.what();
    return false;
  }
  design = drawing.bytes(endMarker);
  design.insert(design.end(), tail.begin(), tail.end());
  return true;
}

}  // namespace dgntest
