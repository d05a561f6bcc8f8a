// Test helper: a private copy of VlTechDb.dll in a folder of its own, with
// the database files the test chooses, loaded with fresh module state and
// its exports bound by ordinal (which checks the ordinals too).
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "VlTechDatabase/vltechdb.h"

struct TechLib {
    decltype(&VlDataTechDb_Handle) DataHandle;
    decltype(&VlOtherInsulationDataTechDb_Handle) OtherHandle;
    decltype(&VlPriceEURDb_Handle) EurHandle;
    decltype(&VlPricePLNDb_Handle) PlnHandle;
    decltype(&VlPriceSEKDb_Handle) SekHandle;
    decltype(&VlTechDb_CloseDLL) CloseDLL;
    decltype(&VlWeatherDataTechDb_Handle) WeatherHandle;
    decltype(&TechAPI_MatchPcode) MatchPcode;
    decltype(&TechDbOtherInsulation_Close) OtherClose;
    decltype(&TechDbOtherInsulation_Open) OtherOpen;
    decltype(&TechDbWeather_Close) WeatherClose;
    decltype(&TechDbWeather_Open) WeatherOpen;
    decltype(&TechDb_Close) Close;
    decltype(&TechDb_DeleteAtt) DeleteAtt;
    decltype(&TechDb_DeleteRec) DeleteRec;
    decltype(&TechDb_FindEqual) FindEqual;
    decltype(&TechDb_FindEqualOrNext) FindEqualOrNext;
    decltype(&TechDb_FindFirst) FindFirst;
    decltype(&TechDb_FindNext) FindNext;
    decltype(&TechDb_GetAtt) GetAtt;
    decltype(&TechDb_GetByteAtt) GetByteAtt;
    decltype(&TechDb_GetDoubleAtt) GetDoubleAtt;
    decltype(&TechDb_GetFloatAtt) GetFloatAtt;
    decltype(&TechDb_GetIntAtt) GetIntAtt;
    decltype(&TechDb_GetLongAtt) GetLongAtt;
    decltype(&TechDb_GetStringAtt) GetStringAtt;
    decltype(&TechDb_Init) Init;
    decltype(&TechDb_ReleaseAtt) ReleaseAtt;
    decltype(&TechDb_ReleaseRec) ReleaseRec;
    decltype(&TechDb_SetAtt) SetAtt;
    decltype(&TechDb_SetFloatAtt) SetFloatAtt;
    decltype(&TechDb_SetIntAtt) SetIntAtt;
    decltype(&TechRec_GetAtt) RecGetAtt;
    decltype(&TechRec_GetByteAtt) RecGetByteAtt;
    decltype(&TechRec_GetDoubleAtt) RecGetDoubleAtt;
    decltype(&TechRec_GetFloatAtt) RecGetFloatAtt;
    decltype(&TechRec_GetID) RecGetID;
    decltype(&TechRec_GetIntAtt) RecGetIntAtt;
    decltype(&TechRec_GetLongAtt) RecGetLongAtt;
    decltype(&TechRec_GetStringAtt) RecGetStringAtt;
};
static_assert(sizeof(TechLib) == 40 * sizeof(void*), "one pointer per ordinal 1..40, in ordinal order");

// The build's output folder (bin beside the tests folder), with a backslash.
std::string BinFolder();

// A folder with a copy of the library (the engine is found in the output
// folder), the schemas and the named files of the output folder; removed
// with everything in it at the end. With a length, the folder's path (with
// its backslash) is made exactly that long, so that some of the files' paths
// may pass the 260-character limit.
class TechFolder {
public:
    explicit TechFolder(const std::vector<std::string>& files, size_t length = 0);
    ~TechFolder();
    TechFolder(const TechFolder&) = delete;
    TechFolder& operator=(const TechFolder&) = delete;
    const std::string& path() const { return path_; }
    // Whether the folder holds a file of that name.
    bool Has(const std::string& name) const;
    // Replaces a file of the folder with the given bytes.
    void Write(const std::string& name, const std::string& bytes) const;

private:
    std::string top_;    // the folder made in the temporary folder
    std::string path_;   // top_, or a folder in it that gives the asked length
};

// The library copy of a folder, loaded (attach runs TechDb_Init) until the
// end of the holder, which unloads it (detach closes everything).
class LoadedTechLib {
public:
    explicit LoadedTechLib(const TechFolder& folder);
    ~LoadedTechLib();
    LoadedTechLib(const LoadedTechLib&) = delete;
    LoadedTechLib& operator=(const LoadedTechLib&) = delete;
    const TechLib& operator*() const { return lib_; }
    const TechLib* operator->() const { return &lib_; }
    bool ok() const { return module_ != nullptr; }

private:
    HMODULE module_ = nullptr;
    TechLib lib_{};
};

// Every database file the build makes.
const std::vector<std::string>& AllDatabaseFiles();
