// The KELOBIN driver: GDAL and the GIS built on it open the BIN files that
// dgnbin writes, read-only. Built as a plugin, ogr_KELOBIN.so, which GDAL
// finds in its plugin folder or in GDAL_DRIVER_PATH.
#include <stdio.h>

#include <memory>

#include "bin/record_reader.h"
#include "cpl_string.h"
#include "gdal/bin_dataset.h"

namespace {

// A plain file named *.bin (any case) whose first record reads as a BIN
// record; an empty file is not claimed.
int identify(GDALOpenInfo* info) {
  if (!EQUAL(CPLGetExtension(info->pszFilename), "bin") || !info->bStatOK || info->bIsDirectory ||
      info->nHeaderBytes == 0) {
    return FALSE;
  }
  FILE* file = fopen(info->pszFilename, "rb");
  if (file == nullptr) return FALSE;
  RecordReader reader;
  reader.attach(file);
  RecordView first;
  const bool claimed = reader.next(first) == kRecordRead;
  fclose(file);
  return claimed;
}

// SCALE, UNITS, POLYGONS and CRS; false, with a GDAL error, for a value
// that cannot be used.
bool readOptions(char** given, BinOpenOptions& options) {
  const char* scale = CSLFetchNameValue(given, "SCALE");
  const char* units = CSLFetchNameValue(given, "UNITS");
  const char* crs = CSLFetchNameValue(given, "CRS");
  options.polygons = CPLFetchBool(given, "POLYGONS", false);
  if (scale != nullptr && units != nullptr) {
    CPLError(CE_Failure, CPLE_IllegalArg, "KELOBIN: give SCALE or UNITS, not both");
    return false;
  }
  if (scale != nullptr) {
    char* end = nullptr;
    options.scale = CPLStrtod(scale, &end);
    if (*scale == '\0' || *end != '\0' || !(options.scale > 0 && options.scale < 1e300)) {
      CPLError(CE_Failure, CPLE_IllegalArg, "KELOBIN: SCALE must be a positive number, not '%s'",
               scale);
      return false;
    }
  }
  // KELO units are centimetres after the factors 0.1 and 1, millimetres
  // after 10 and 99.
  if (units != nullptr) {
    if (!EQUAL(units, "CM") && !EQUAL(units, "MM")) {
      CPLError(CE_Failure, CPLE_IllegalArg, "KELOBIN: UNITS must be CM or MM, not '%s'", units);
      return false;
    }
    options.scale = EQUAL(units, "CM") ? 100 : 1000;
  }
  if (crs != nullptr) {
    std::unique_ptr<OGRSpatialReference> srs(new OGRSpatialReference);
    if (srs->SetFromUserInput(crs) != OGRERR_NONE) {
      CPLError(CE_Failure, CPLE_IllegalArg, "KELOBIN: CRS '%s' is not a reference system", crs);
      return false;
    }
    // x is east and y north in a BIN file, whatever the order the CRS names.
    srs->SetAxisMappingStrategy(OAMS_TRADITIONAL_GIS_ORDER);
    options.crs = srs.release();
  }
  return true;
}

GDALDataset* open(GDALOpenInfo* info) {
  // QGIS asks for update access first and falls back to reading: declining
  // without an error lets it.
  if (info->eAccess == GA_Update || !identify(info)) return nullptr;
  BinOpenOptions options;
  if (!readOptions(info->papszOpenOptions, options)) return nullptr;
  std::unique_ptr<BinDataset> dataset(new BinDataset(options));
  return dataset->open(info->pszFilename) ? dataset.release() : nullptr;
}

const char kOpenOptions[] =
    "<OpenOptionList>"
    "<Option name='SCALE' type='float' description='Divides coordinates and text heights' "
    "default='1'/>"
    "<Option name='UNITS' type='string-select' description='Metres from KELO centimetres "
    "(CM, factors 0.1 and 1) or millimetres (MM, factors 10 and 99)'>"
    "<Value>CM</Value><Value>MM</Value></Option>"
    "<Option name='CRS' type='string' description='Coordinate reference system, e.g. "
    "EPSG:25830'/>"
    "<Option name='POLYGONS' type='boolean' description='Closed lines of 4 or more points as "
    "polygons, in a layer of their own' default='NO'/>"
    "</OpenOptionList>";

}  // namespace

// GDAL looks this name up in ogr_KELOBIN.so.
extern "C" __attribute__((visibility("default"))) void RegisterOGRKELOBIN() {
  if (!GDAL_CHECK_VERSION("KELOBIN driver") || GDALGetDriverByName("KELOBIN") != nullptr) return;
  GDALDriver* driver = new GDALDriver;
  driver->SetDescription("KELOBIN");
  driver->SetMetadataItem(GDAL_DCAP_VECTOR, "YES");
  driver->SetMetadataItem(GDAL_DMD_LONGNAME, "KELO BIN (read-only)");
  driver->SetMetadataItem(GDAL_DMD_EXTENSION, "bin");
  driver->SetMetadataItem(GDAL_DMD_OPENOPTIONLIST, kOpenOptions);
  driver->pfnIdentify = identify;
  driver->pfnOpen = open;
  GetGDALDriverManager()->RegisterDriver(driver);
}
