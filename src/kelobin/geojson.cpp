// kelobin geojson: the records as a GeoJSON FeatureCollection, for GDAL and
// the desktop GIS. A first pass checks the whole file and finds whether it
// has any height, so that nothing is written for a file that is not BIN.
#include <stdio.h>

#include <charconv>
#include <memory>
#include <string>

#include "bin/item_names.h"
#include "kelobin/bin_input.h"
#include "kelobin/commands.h"
#include "kelobin/text_bytes.h"

// The shortest decimal that reads back as the same double, never in
// exponent form, and without the locale's decimal separator.
static void appendNumber(std::string& out, double value) {
  char digits[400];
  std::to_chars_result end =
      std::to_chars(digits, digits + sizeof digits, value, std::chars_format::fixed);
  out.append(digits, end.ptr);
}

static void appendCoordinates(std::string& out, const Point& p, double scale, bool withZ) {
  out += '[';
  appendNumber(out, p.x / scale);
  out += ',';
  appendNumber(out, p.y / scale);
  if (withZ) {
    out += ',';
    appendNumber(out, p.z / scale);
  }
  out += ']';
}

static void appendItems(std::string& out, const RecordView& r) {
  for (int i = 0; i < r.header.itemCount; ++i) {
    AttributeItem item = r.item(i);
    out += ",\"" + itemName(item.code, itemRepeat(r, i)) + "\":";
    if (item.text[0] != '\0') {
      appendJsonString(out, item.text);
    } else {
      out += std::to_string(item.value);
    }
  }
}

static void appendFeature(std::string& out, const RecordView& r, double scale, bool withZ) {
  const RecordBox& b = r.box;
  out += "{\"type\":\"Feature\",\"properties\":{\"kind\":\"";
  out += r.header.kind;
  out += "\",\"code\":";
  appendJsonString(out, r.header.code);
  out += ",\"record\":" + std::to_string(r.index);
  if (r.header.kind == 'T') {
    out += ",\"text\":";
    appendJsonString(out, r.text);
    out += ",\"height\":";
    appendNumber(out, b.textHeight / scale);
    out += ",\"angle\":";
    appendNumber(out, b.textAngle / 100.0);
    out += ",\"justification\":" + std::to_string(b.textJustification);
  }
  appendItems(out, r);
  int count = r.coordinateCount();
  out += count == 1 ? "},\"geometry\":{\"type\":\"Point\",\"coordinates\":"
                    : "},\"geometry\":{\"type\":\"LineString\",\"coordinates\":[";
  for (int i = 0; i < count; ++i) {
    if (i > 0) out += ',';
    appendCoordinates(out, r.point(i), scale, withZ);
  }
  out += count == 1 ? "}}" : "]}}";
}

int runGeojson(const char* binName, double scale, long epsg) {
  BinInput input;
  if (!input.open(binName)) return 1;
  std::unique_ptr<BinSurvey> survey(new BinSurvey);
  if (!input.endedWell(surveyBin(input, *survey))) return 1;
  const bool withZ = survey->anyZ;
  // GeoJSON without a crs member is WGS 84 by definition, and GDAL and the
  // desktop GIS place it there without a word.
  if (epsg == 0) {
    fprintf(stderr,
            "kelobin: aviso: sin --crs los programas GIS toman las coordenadas como WGS 84 "
            "(grados); indique el sistema de la obra, p. ej. --crs EPSG:25830\n");
  }

  std::string out = "{\"type\":\"FeatureCollection\",\n";
  if (epsg > 0) {
    out += "\"crs\":{\"type\":\"name\",\"properties\":{\"name\":\"urn:ogc:def:crs:EPSG::" +
           std::to_string(epsg) + "\"}},\n";
  }
  out += "\"features\":[";
  input.restart();
  RecordView r;
  ReadResult result;
  while ((result = input.next(r)) == kRecordRead) {
    out += r.index == 0 ? "\n" : ",\n";
    appendFeature(out, r, scale, withZ);
    if (out.size() > (1 << 16)) {
      fwrite(out.data(), 1, out.size(), stdout);
      out.clear();
    }
  }
  out += "\n]}\n";
  fwrite(out.data(), 1, out.size(), stdout);
  return input.endedWell(result) ? 0 : 1;
}
