#include "gdal/bin_dataset.h"

#include <errno.h>
#include <string.h>

#include "bin/item_names.h"

BinLayerKind binLayerOf(const RecordView& record, bool polygons) {
  if (record.header.kind == 'T') return kTextsLayer;
  const int n = record.header.pointCount;
  if (n == 1) return kPointsLayer;
  if (polygons && n >= 4) {
    const Point first = record.point(0), last = record.point(n - 1);
    if (first.x == last.x && first.y == last.y && first.z == last.z) return kPolygonsLayer;
  }
  return kLinesLayer;
}

// The layers' definitions and the features hold references to the CRS.
BinDataset::~BinDataset() {
  layers_.clear();
  if (options_.crs != nullptr) options_.crs->Release();
}

OGRLayer* BinDataset::GetLayer(int i) {
  return i >= 0 && i < GetLayerCount() ? layers_[static_cast<size_t>(i)].get() : nullptr;
}

bool BinDataset::open(const char* name) {
  SetDescription(name);
  FILE* file = fopen(name, "rb");
  if (file == nullptr) {
    CPLError(CE_Failure, CPLE_OpenFailed, "%s: %s", name, strerror(errno));
    return false;
  }
  setvbuf(file, nullptr, _IOFBF, 1 << 16);
  RecordReader reader;
  reader.attach(file);
  BinLayerSurvey layers[kLayerKinds];
  BinItemFields items;
  bool anyZ = false;
  RecordView r;
  ReadResult result;
  while ((result = reader.next(r)) == kRecordRead) {
    offsets_.push_back(r.offset);
    const BinLayerKind kind = binLayerOf(r, options_.polygons);
    BinLayerSurvey& layer = layers[kind];
    ++layer.features;
    for (int i = 0; i < r.coordinateCount(); ++i) {
      const Point p = r.point(i);
      layer.add(p);
      anyZ = anyZ || p.z != 0;
    }
    for (int i = 0; i < r.header.itemCount; ++i) {
      BinItemField& field = items[std::make_pair(r.item(i).code, itemRepeat(r, i))];
      field.hasText = field.hasText || r.item(i).text[0] != '\0';
      field.inLayer[kind] = true;
    }
  }
  fclose(file);
  if (result == kImpossibleRecord) {
    CPLError(CE_Failure, CPLE_OpenFailed,
             "%s is not a KELO BIN file: impossible record %lld at byte %lld", name,
             reader.recordsRead(), reader.bytesRead());
    CPLDebug("KELOBIN", "%s", reader.problem());
    return false;
  }
  if (result == kReadFailed) {
    CPLError(CE_Failure, CPLE_FileIO, "%s: %s", name, reader.problem());
    return false;
  }
  offsets_.shrink_to_fit();
  // Every layer but polygons always, so that scripts see a fixed set.
  for (int kind = 0; kind < kLayerKinds; ++kind) {
    if (kind == kPolygonsLayer && !options_.polygons) continue;
    layers_.emplace_back(
        new BinLayer(*this, static_cast<BinLayerKind>(kind), layers[kind], items, anyZ));
    if (!layers_.back()->openFile(name)) return false;
  }
  return true;
}
