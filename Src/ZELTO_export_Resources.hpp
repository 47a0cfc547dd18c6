// Resource ids of the add-on's string lists and their items, and the in-memory string tables.
#ifndef ZELTO_EXPORT_RESOURCES_HPP
#define ZELTO_EXPORT_RESOURCES_HPP

#include "Array.hpp"
#include "UniString.hpp"

namespace WRL {

// List 32000: add-on information (read directly).
constexpr Int32 AddonInfoStringTable = 32000;
constexpr Int32 Format = 1;
constexpr Int32 AddonName = 2;
constexpr Int32 AddonNameMac = 3;
constexpr Int32 AddonDescription = 4;

// List 32500: comments and names.
constexpr Int32 LocalizedCommentStringTable = 32500;
constexpr Int32 TextureName = 1;
constexpr Int32 App = 2;
constexpr Int32 BrowseC4d = 3;
constexpr Int32 FolderName = 4;
constexpr Int32 C4DFileName = 5;
constexpr Int32 ModelSend = 6;
constexpr Int32 DialogTitle = 7;
constexpr Int32 ElementSaved = 8;
constexpr Int32 UnitWarning = 9;
constexpr Int32 C4DplugNotFound = 10;
constexpr Int32 ScaleNotPositive = 11;

// List 32501: errors.
constexpr Int32 LocalizedErrorStringTable = 32501;
constexpr Int32 ErrorC4d = 1;
constexpr Int32 ErrorPlug = 2;

// List 32502: element names.
constexpr Int32 LocalizedElementTable = 32502;
constexpr Int32 SaveZombie = 1;
constexpr Int32 SaveWall = 2;
constexpr Int32 SaveColumn = 3;
constexpr Int32 SaveBeam = 4;
constexpr Int32 SaveWindow = 5;
constexpr Int32 SaveDoor = 6;
constexpr Int32 SaveObject = 7;
constexpr Int32 SaveLamp = 8;
constexpr Int32 SaveSlab = 9;
constexpr Int32 SaveRoof = 10;
constexpr Int32 SaveMesh = 11;
constexpr Int32 SaveCurtainWall = 12;
constexpr Int32 SaveCwSegment = 13;
constexpr Int32 SaveCwFrame = 14;
constexpr Int32 SaveCwPanel = 15;
constexpr Int32 SaveCwJunction = 16;
constexpr Int32 SaveCwAccessory = 17;
constexpr Int32 SaveShell = 18;
constexpr Int32 SaveSkyligth = 19;
constexpr Int32 SaveMorph = 20;
constexpr Int32 SaveLight = 21;
constexpr Int32 SaveCamera = 22;
constexpr Int32 SaveCamera3D = 23;

// List 32503: titles of the process window's phases.
constexpr Int32 LocalizedProgressbarTable = 32503;
constexpr Int32 SavingFile = 1;
constexpr Int32 SaveTexInternal = 2;
constexpr Int32 SaveTexCinema = 3;
constexpr Int32 SaveMatRgb = 4;
constexpr Int32 SaveMatInternal = 5;
constexpr Int32 SaveMatCinema = 6;
constexpr Int32 SaveClass = 7;
constexpr Int32 SaveStory = 8;
constexpr Int32 SaveLay = 9;
constexpr Int32 SaveElements = 10;
constexpr Int32 SavePoint = 11;
constexpr Int32 SaveUvw = 12;
constexpr Int32 SaveNormal = 13;
constexpr Int32 SavePoly = 14;
constexpr Int32 SaveLig = 15;
constexpr Int32 SaveCam = 16;
constexpr Int32 SaveBounding = 17;
constexpr Int32 SaveCamSets = 18;
constexpr Int32 SaveIES = 19;

// List 32504: update texts.
constexpr Int32 LocalizedUpdateStrings = 32504;
constexpr Int32 NoUpdates = 1;
constexpr Int32 NoConnection = 2;

// Menu, prompts and dialogs.
constexpr Int32 MenuStringTable = 32510;
constexpr Int32 MenuPromptStringTable = 32520;
constexpr Int32 SettingsDialogId = 32505;
constexpr Int32 UpdateDialogId = 32550;
constexpr Int32 FinishDialogId = 32560;
constexpr Int32 DirectDialogId = 32570;

// Last item of each list that MAResource loads.
constexpr Int32 LoadedCommentItems = ElementSaved;
constexpr Int32 LoadedErrorItems = ErrorPlug;
constexpr Int32 LoadedElementItems = SaveCamera3D;
constexpr Int32 LoadedProgressItems = SaveIES;
constexpr Int32 LoadedUpdateItems = NoConnection;

// One item of the add-on's own string list; empty when the list or the item is missing.
GS::UniString ReadResourceString(Int32 listId, Int32 item);

// The string tables of one export run. Position 0 of each table is empty, position i holds item i.
class MAResource {
public:
    MAResource();
    ~MAResource();
    MAResource(const MAResource&) = delete;
    MAResource& operator=(const MAResource&) = delete;

    GS::Array<GS::UniString> comments;
    GS::Array<GS::UniString> errors;
    GS::Array<GS::UniString> elementNames;
    GS::Array<GS::UniString> progressTexts;
    GS::Array<GS::UniString> updateTexts;

    // Reads item (listId, item) of the add-on's resource module and appends it to the table.
    void GetString(GS::Array<GS::UniString>* table, int listId, int item) const;

private:
    void LoadCommentStringResources();
    void LoadErrorStringResources();
    void LoadElementNamesResources();
    void LoadProgressbarResources();
    void LoadUpdatesResources();
    void LoadTable(GS::Array<GS::UniString>* table, int listId, int lastItem) const;
};

}  // namespace WRL

#endif
