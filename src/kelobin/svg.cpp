// kelobin svg: a picture of the drawing for a browser, so that a user sees
// at a glance what the code table does not cover yet: the records coded
// "nuevo" are drawn last, in red, over everything else.
#include <math.h>
#include <stdarg.h>
#include <stdio.h>
#include <string.h>

#include <algorithm>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "kelobin/bin_input.h"
#include "kelobin/commands.h"
#include "kelobin/text_bytes.h"

namespace {

const double kMargin = 20;
const double kLegendRow = 18;
const double kLegendColumn = 200;
const char kNewColour[] = "#e00000";

// From KELO units to pixels, y up.
struct Frame {
  double scale;
  double lowX, highY;
  double x(int32_t v) const { return kMargin + (v - lowX) * scale; }
  double y(int32_t v) const { return kMargin + (highY - v) * scale; }
};

// One colour per code, by its place in the legend: hues a golden section
// apart, kept away from the red of "nuevo", in two lightnesses, so that the
// most frequent codes differ most. Codes beyond the legend are grey.
class Palette {
 public:
  explicit Palette(const std::vector<CodeCount>& ranking) {
    int place = 0;
    for (const CodeCount& c : ranking) {
      if (strcmp(c.code, kNewCode) == 0) {
        colours_[c.code] = kNewColour;
        continue;
      }
      double hue = 40 + 280 * fmod(place * 0.618034, 1.0), l = place % 2 == 0 ? 0.40 : 0.52;
      colours_[c.code] = hslColour(hue, 0.70, l);
      ++place;
    }
  }
  const std::string& colourOf(const char* code) const {
    static const std::string kOther = "#808080";
    auto found = colours_.find(code);
    return found == colours_.end() ? kOther : found->second;
  }

 private:
  static std::string hslColour(double hue, double s, double l) {
    double c = (1 - fabs(2 * l - 1)) * s, h = hue / 60, x = c * (1 - fabs(fmod(h, 2) - 1));
    static const int kOrder[6][2] = {{0, 1}, {1, 0}, {1, 2}, {2, 1}, {2, 0}, {0, 2}};
    double rgb[3] = {0, 0, 0};
    int sector = static_cast<int>(h) % 6;
    rgb[kOrder[sector][0]] = c;
    rgb[kOrder[sector][1]] = x;
    char hex[8];
    snprintf(hex, sizeof hex, "#%02x%02x%02x", static_cast<int>((rgb[0] + l - c / 2) * 255),
             static_cast<int>((rgb[1] + l - c / 2) * 255),
             static_cast<int>((rgb[2] + l - c / 2) * 255));
    return hex;
  }
  std::map<std::string, std::string> colours_;
};

void appendf(std::string& out, const char* format, ...) __attribute__((format(printf, 2, 3)));
void appendf(std::string& out, const char* format, ...) {
  char text[128];
  va_list args;
  va_start(args, format);
  vsnprintf(text, sizeof text, format, args);
  va_end(args);
  out += text;
}

// Justification codes 0 to 8: left bottom, left middle, left top, centre
// top, right top, right middle, right bottom, centre bottom, centre middle.
void appendTextPlacement(std::string& out, int justification) {
  static const char* const kAnchor[9] = {"start", "start", "start",  "middle", "end",
                                         "end",   "end",   "middle", "middle"};
  static const char* const kBaseline[9] = {"auto",    "central", "hanging", "hanging", "hanging",
                                           "central", "auto",    "auto",    "central"};
  if (justification < 0 || justification > 8) justification = 0;
  out += std::string(" text-anchor=\"") + kAnchor[justification] + "\" dominant-baseline=\"" +
         kBaseline[justification] + "\"";
}

void appendShape(std::string& out, const RecordView& r, const Frame& f, const Palette& palette) {
  const std::string& colour = palette.colourOf(r.header.code);
  const std::string record = " data-record=\"" + std::to_string(r.index) + "\"";
  if (r.header.kind == 'T') {
    Point p = r.point(0);
    double x = f.x(p.x), y = f.y(p.y);
    out += "<text" + record;
    appendf(out, " x=\"%.2f\" y=\"%.2f\"", x, y);
    appendf(out, " font-size=\"%.2f\"", std::max(1.0, r.box.textHeight * f.scale));
    appendTextPlacement(out, r.box.textJustification);
    if (r.box.textAngle != 0) {
      // Negated as a double: a hostile file may hold INT32_MIN.
      appendf(out, " transform=\"rotate(%.2f %.2f %.2f)\"", -(r.box.textAngle / 100.0), x, y);
    }
    out += " fill=\"" + colour + "\">";
    appendXmlText(out, r.text);
    out += "</text>\n";
  } else if (r.header.pointCount == 1) {
    Point p = r.point(0);
    out += "<circle" + record;
    appendf(out, " cx=\"%.2f\" cy=\"%.2f\" r=\"3\"", f.x(p.x), f.y(p.y));
    out += " fill=\"" + colour + "\"/>\n";
  } else {
    out += "<polyline" + record + " stroke=\"" + colour + "\" points=\"";
    for (int i = 0; i < r.header.pointCount; ++i) {
      Point p = r.point(i);
      appendf(out, i == 0 ? "%.2f,%.2f" : " %.2f,%.2f", f.x(p.x), f.y(p.y));
    }
    out += "\"/>\n";
  }
}

void writeOut(std::string& out) {
  fwrite(out.data(), 1, out.size(), stdout);
  out.clear();
}

// One pass over the file that draws the records coded "nuevo" or the others.
ReadResult drawRecords(BinInput& input, const Frame& f, const Palette& palette, bool newOnes,
                       std::string& out) {
  input.restart();
  RecordView r;
  ReadResult result;
  while ((result = input.next(r)) == kRecordRead) {
    if ((strcmp(r.header.code, kNewCode) == 0) != newOnes) continue;
    appendShape(out, r, f, palette);
    if (out.size() > (1 << 16)) writeOut(out);
  }
  return result;
}

void appendLegend(std::string& out, const std::vector<CodeCount>& ranking, const Palette& palette,
                  long long uncounted, double top, int columns) {
  out += "<g font-family=\"sans-serif\" font-size=\"12\">\n";
  int i = 0;
  for (const CodeCount& c : ranking) {
    double x = kMargin + (i % columns) * kLegendColumn, y = top + (i / columns) * kLegendRow;
    appendf(out, "<rect x=\"%.2f\" y=\"%.2f\" width=\"12\" height=\"12\"", x, y);
    out += " fill=\"" + palette.colourOf(c.code) + "\"/>";
    appendf(out, "<text x=\"%.2f\" y=\"%.2f\">", x + 18, y + 11);
    appendXmlText(out, c.code);
    appendf(out, " (%lld)</text>\n", c.records);
    ++i;
  }
  if (uncounted > 0) {
    double x = kMargin + (i % columns) * kLegendColumn, y = top + (i / columns) * kLegendRow;
    appendf(out, "<text x=\"%.2f\" y=\"%.2f\">otros (%lld)</text>\n", x, y + 11, uncounted);
  }
  out += "</g>\n";
}

}  // namespace

int runSvg(const char* binName, int width) {
  BinInput input;
  if (!input.open(binName)) return 1;
  std::unique_ptr<BinSurvey> survey(new BinSurvey);
  const BinSurvey& s = *survey;
  if (!input.endedWell(surveyBin(input, *survey))) return 1;

  double spanX = static_cast<double>(s.high.x) - s.low.x;
  double spanY = static_cast<double>(s.high.y) - s.low.y;
  double span = std::max(spanX, spanY);
  Frame f = {span > 0 ? (width - 2 * kMargin) / span : 1.0, static_cast<double>(s.low.x),
             static_cast<double>(s.high.y)};
  int columns = std::max(1, static_cast<int>((width - 2 * kMargin) / kLegendColumn));
  const std::vector<CodeCount> ranking = s.codes.ranking();
  const Palette palette(ranking);
  int entries = static_cast<int>(ranking.size()) + (s.codes.uncounted() > 0);
  double legendTop = 2 * kMargin + spanY * f.scale;
  double height = legendTop + ((entries + columns - 1) / columns) * kLegendRow + kMargin;

  std::string out = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
  appendf(out,
          "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"%d\" height=\"%.0f\" "
          "viewBox=\"0 0 %d %.0f\">\n",
          width, ceil(height), width, ceil(height));
  out += "<rect width=\"100%\" height=\"100%\" fill=\"white\"/>\n";
  out +=
      "<g fill=\"none\" stroke-width=\"1.5\" stroke-linejoin=\"round\" "
      "font-family=\"sans-serif\">\n";
  ReadResult result = drawRecords(input, f, palette, false, out);
  out += "</g>\n";
  if (result == kEndOfFile && !ranking.empty() && strcmp(ranking[0].code, kNewCode) == 0) {
    out +=
        "<g fill=\"none\" stroke-width=\"2.5\" stroke-linejoin=\"round\" "
        "font-family=\"sans-serif\">\n";
    result = drawRecords(input, f, palette, true, out);
    out += "</g>\n";
  }
  appendLegend(out, ranking, palette, s.codes.uncounted(), legendTop, columns);
  out += "</svg>\n";
  writeOut(out);
  return input.endedWell(result) ? 0 : 1;
}
