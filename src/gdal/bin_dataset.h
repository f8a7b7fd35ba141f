// A BIN file seen by GDAL: one open pass learns the schema, the counts and
// extents of every layer and where each record starts; the layers then read
// records where they lie. The offsets (8 bytes a record) are the only memory
// that grows with the file.
#ifndef DGNBIN_GDAL_BIN_DATASET_H_
#define DGNBIN_GDAL_BIN_DATASET_H_

#include <stdio.h>

#include <map>
#include <memory>
#include <utility>
#include <vector>

#include "bin/point_extent.h"
#include "bin/record_reader.h"
#include "gdal_priv.h"
#include "ogrsf_frmts.h"

enum BinLayerKind { kPointsLayer, kLinesLayer, kTextsLayer, kPolygonsLayer, kLayerKinds };

struct BinOpenOptions {
  double scale = 1;
  bool polygons = false;
  OGRSpatialReference* crs = nullptr;  // the dataset holds one reference
};

// Which layer a record belongs to. A record does not say that it was a
// shape: a closed line is a polygon only when the caller asks for polygons.
BinLayerKind binLayerOf(const RecordView& record, bool polygons);

// What the open pass learns of one layer.
struct BinLayerSurvey : PointExtent {
  long long features = 0;
};

// An item name (code, repeat) as a field: a String where any item of that
// name has a text anywhere in the file, else an Integer.
struct BinItemField {
  bool hasText = false;
  bool inLayer[kLayerKinds] = {};
};
using BinItemFields = std::map<std::pair<int, int>, BinItemField>;

class BinDataset;

class BinLayer final : public OGRLayer, public OGRGetNextFeatureThroughRaw<BinLayer> {
  DEFINE_GET_NEXT_FEATURE_THROUGH_RAW(BinLayer)

 public:
  BinLayer(const BinDataset& dataset, BinLayerKind kind, const BinLayerSurvey& survey,
           const BinItemFields& items, bool withZ);
  ~BinLayer() override;
  bool openFile(const char* name);

  void ResetReading() override;
  OGRFeature* GetFeature(GIntBig fid) override;
  OGRFeatureDefn* GetLayerDefn() override { return defn_; }
  GIntBig GetFeatureCount(int force) override;
  OGRErr GetExtent(OGREnvelope* extent, int force) override;
  OGRErr GetExtent(int geomField, OGREnvelope* extent, int force) override;
  int TestCapability(const char* capability) override;

 private:
  OGRFeature* GetNextRawFeature();
  // Reads the record at `offset`; false, with a GDAL error, when it cannot
  // be read (the file changed since it was opened).
  bool readAt(long long offset, RecordView& record);
  OGRFeature* feature(const RecordView& record, long long index) const;
  OGRGeometry* geometry(const RecordView& record) const;
  bool filtered() const { return m_poFilterGeom != nullptr || m_poAttrQuery != nullptr; }

  const BinDataset& dataset_;
  const BinLayerKind kind_;
  const BinLayerSurvey survey_;
  const bool withZ_;
  OGRFeatureDefn* defn_;
  std::map<std::pair<int, int>, int> itemField_;  // (code, repeat) to field index
  FILE* file_ = nullptr;
  RecordReader reader_;
  // The sequential read: the next record's index and offset, and whether
  // the reader stands there (GetFeature moves it).
  long long nextIndex_ = 0, nextOffset_ = 0;
  bool positioned_ = false;
};

class BinDataset final : public GDALDataset {
 public:
  explicit BinDataset(const BinOpenOptions& options) : options_(options) {}
  ~BinDataset() override;
  // The open pass; false with a GDAL error when the file is no BIN file.
  bool open(const char* name);

  int GetLayerCount() override { return static_cast<int>(layers_.size()); }
  OGRLayer* GetLayer(int i) override;

  const BinOpenOptions& options() const { return options_; }
  const std::vector<long long>& offsets() const { return offsets_; }

 private:
  BinOpenOptions options_;
  std::vector<long long> offsets_;  // of every record, by index
  std::vector<std::unique_ptr<BinLayer>> layers_;
};

#endif  // DGNBIN_GDAL_BIN_DATASET_H_
