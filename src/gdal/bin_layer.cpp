#include <limits.h>
#include <stdio.h>
#include <sys/types.h>

#include <string>

#include "bin/item_names.h"
#include "gdal/bin_dataset.h"
#include "platform/code_page.h"

namespace {

// The fields every layer starts with, then those of texts, then the items.
enum {
  kRecordField,
  kKindField,
  kCodeField,
  kTextField,
  kHeightField,
  kAngleField,
  kJustificationField
};

const char* const kLayerNames[kLayerKinds] = {"points", "lines", "texts", "polygons"};
const OGRwkbGeometryType kLayerGeometries[kLayerKinds] = {wkbPoint, wkbLineString, wkbPoint,
                                                          wkbPolygon};

void addField(OGRFeatureDefn* defn, const char* name, OGRFieldType type, int width = 0) {
  OGRFieldDefn field(name, type);
  field.SetWidth(width);
  defn->AddFieldDefn(&field);
}

}  // namespace

BinLayer::BinLayer(const BinDataset& dataset, BinLayerKind kind, const BinLayerSurvey& survey,
                   const BinItemFields& items, bool withZ)
    : dataset_(dataset),
      kind_(kind),
      survey_(survey),
      withZ_(withZ),
      defn_(new OGRFeatureDefn(kLayerNames[kind])) {
  SetDescription(defn_->GetName());
  defn_->Reference();
  OGRwkbGeometryType type = kLayerGeometries[kind];
  defn_->SetGeomType(withZ ? OGR_GT_SetZ(type) : type);
  defn_->GetGeomFieldDefn(0)->SetSpatialRef(dataset.options().crs);
  const bool wide = dataset.offsets().size() > static_cast<size_t>(INT_MAX);
  addField(defn_, "record", wide ? OFTInteger64 : OFTInteger);
  addField(defn_, "kind", OFTString, 1);
  addField(defn_, "code", OFTString, 6);
  if (kind == kTextsLayer) {
    addField(defn_, "text", OFTString);
    addField(defn_, "height", OFTReal);
    addField(defn_, "angle", OFTReal);
    addField(defn_, "justification", OFTInteger);
  }
  for (const auto& item : items) {
    if (!item.second.inLayer[kind]) continue;
    itemField_[item.first] = defn_->GetFieldCount();
    addField(defn_, itemName(item.first.first, item.first.second).c_str(),
             item.second.hasText ? OFTString : OFTInteger);
  }
}

BinLayer::~BinLayer() {
  defn_->Release();
  if (file_ != nullptr) fclose(file_);
}

bool BinLayer::openFile(const char* name) {
  file_ = fopen(name, "rb");
  if (file_ == nullptr) {
    CPLError(CE_Failure, CPLE_OpenFailed, "%s: cannot open it again", name);
    return false;
  }
  setvbuf(file_, nullptr, _IOFBF, 1 << 16);
  return true;
}

void BinLayer::ResetReading() {
  nextIndex_ = 0;
  positioned_ = false;
}

bool BinLayer::readAt(long long offset, RecordView& record) {
  if (!positioned_) {
    if (fseeko(file_, static_cast<off_t>(offset), SEEK_SET) != 0) return false;
    reader_.attach(file_);
    positioned_ = true;
  }
  if (reader_.next(record) == kRecordRead) return true;
  CPLError(CE_Failure, CPLE_FileIO, "%s: the record at byte %lld cannot be read any more",
           dataset_.GetDescription(), offset);
  positioned_ = false;
  return false;
}

OGRFeature* BinLayer::GetNextRawFeature() {
  const std::vector<long long>& offsets = dataset_.offsets();
  RecordView r;
  while (nextIndex_ < static_cast<long long>(offsets.size())) {
    if (!readAt(offsets[static_cast<size_t>(nextIndex_)], r)) return nullptr;
    const long long index = nextIndex_++;
    if (binLayerOf(r, dataset_.options().polygons) == kind_) return feature(r, index);
  }
  return nullptr;
}

OGRFeature* BinLayer::GetFeature(GIntBig fid) {
  const std::vector<long long>& offsets = dataset_.offsets();
  if (fid < 0 || fid >= static_cast<GIntBig>(offsets.size())) return nullptr;
  positioned_ = false;  // the sequential read seeks back to where it was
  RecordView r;
  if (!readAt(offsets[static_cast<size_t>(fid)], r)) return nullptr;
  positioned_ = false;
  if (binLayerOf(r, dataset_.options().polygons) != kind_) return nullptr;
  return feature(r, fid);
}

OGRFeature* BinLayer::feature(const RecordView& r, long long index) const {
  OGRFeature* f = new OGRFeature(defn_);
  f->SetFID(index);
  f->SetField(kRecordField, static_cast<GIntBig>(index));
  const char kind[2] = {r.header.kind, '\0'};
  f->SetField(kKindField, kind);
  f->SetField(kCodeField, textAsUtf8(r.header.code).c_str());
  const double scale = dataset_.options().scale;
  if (kind_ == kTextsLayer) {
    f->SetField(kTextField, textAsUtf8(r.text).c_str());
    f->SetField(kHeightField, r.box.textHeight / scale);
    f->SetField(kAngleField, r.box.textAngle / 100.0);
    f->SetField(kJustificationField, r.box.textJustification);
  }
  for (int i = 0; i < r.header.itemCount; ++i) {
    const AttributeItem item = r.item(i);
    auto field = itemField_.find(std::make_pair(static_cast<int>(item.code), itemRepeat(r, i)));
    if (field == itemField_.end()) continue;  // the file changed since it was opened
    if (defn_->GetFieldDefn(field->second)->GetType() == OFTInteger) {
      f->SetField(field->second, item.value);
    } else {
      f->SetField(field->second, item.text[0] != '\0' ? textAsUtf8(item.text).c_str()
                                                      : std::to_string(item.value).c_str());
    }
  }
  f->SetGeometryDirectly(geometry(r));
  return f;
}

OGRGeometry* BinLayer::geometry(const RecordView& r) const {
  const double scale = dataset_.options().scale;
  OGRGeometry* g;
  if (kind_ == kPointsLayer || kind_ == kTextsLayer) {
    const Point p = r.point(0);
    g = withZ_ ? new OGRPoint(p.x / scale, p.y / scale, p.z / scale)
               : new OGRPoint(p.x / scale, p.y / scale);
  } else {
    OGRSimpleCurve* line = kind_ == kPolygonsLayer ? new OGRLinearRing : new OGRLineString;
    const int n = r.header.pointCount;
    line->setNumPoints(n, FALSE);
    for (int i = 0; i < n; ++i) {
      const Point p = r.point(i);
      if (withZ_) {
        line->setPoint(i, p.x / scale, p.y / scale, p.z / scale);
      } else {
        line->setPoint(i, p.x / scale, p.y / scale);
      }
    }
    g = line;
    if (kind_ == kPolygonsLayer) {
      OGRPolygon* polygon = new OGRPolygon;
      polygon->addRingDirectly(static_cast<OGRLinearRing*>(line));
      g = polygon;
    }
  }
  g->assignSpatialReference(dataset_.options().crs);
  return g;
}

GIntBig BinLayer::GetFeatureCount(int force) {
  return filtered() ? OGRLayer::GetFeatureCount(force) : survey_.features;
}

OGRErr BinLayer::GetExtent(OGREnvelope* extent, int force) {
  if (filtered()) return OGRLayer::GetExtent(extent, force);
  if (!survey_.hasExtent) return OGRERR_FAILURE;
  const double scale = dataset_.options().scale;
  extent->MinX = survey_.low.x / scale;
  extent->MinY = survey_.low.y / scale;
  extent->MaxX = survey_.high.x / scale;
  extent->MaxY = survey_.high.y / scale;
  return OGRERR_NONE;
}

OGRErr BinLayer::GetExtent(int geomField, OGREnvelope* extent, int force) {
  if (geomField == 0) return GetExtent(extent, force);
  return OGRLayer::GetExtent(geomField, extent, force);
}

int BinLayer::TestCapability(const char* capability) {
  if (EQUAL(capability, OLCRandomRead) || EQUAL(capability, OLCStringsAsUTF8)) return TRUE;
  if (EQUAL(capability, OLCFastFeatureCount) || EQUAL(capability, OLCFastGetExtent)) {
    return !filtered();
  }
  return FALSE;
}
