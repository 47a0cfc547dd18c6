#include "ZELTO_export_Resources.hpp"

#include "ACAPinc.h"
#include "RS.hpp"

namespace WRL {

MAResource::MAResource()
{
    LoadCommentStringResources();
    LoadErrorStringResources();
    LoadElementNamesResources();
    LoadProgressbarResources();
    LoadUpdatesResources();
}

// The members go in reverse order of declaration: the tables last first.
MAResource::~MAResource() = default;

GS::UniString ReadResourceString(Int32 listId, Int32 item)
{
    GS::UniString text;
    RSGetIndString(&text, static_cast<GSResID>(listId), item, ACAPI_GetOwnResModule(), 0);
    return text;
}

void MAResource::GetString(GS::Array<GS::UniString>* table, int listId, int item) const
{
    table->Push(ReadResourceString(listId, item));
}

void MAResource::LoadTable(GS::Array<GS::UniString>* table, int listId, int lastItem) const
{
    table->Push(GS::UniString());
    for (int item = 1; item <= lastItem; ++item)
        GetString(table, listId, item);
}

void MAResource::LoadCommentStringResources()
{
    LoadTable(&comments, LocalizedCommentStringTable, LoadedCommentItems);
}

void MAResource::LoadErrorStringResources()
{
    LoadTable(&errors, LocalizedErrorStringTable, LoadedErrorItems);
}

void MAResource::LoadElementNamesResources()
{
    LoadTable(&elementNames, LocalizedElementTable, LoadedElementItems);
}

void MAResource::LoadProgressbarResources()
{
    LoadTable(&progressTexts, LocalizedProgressbarTable, LoadedProgressItems);
}

void MAResource::LoadUpdatesResources()
{
    LoadTable(&updateTexts, LocalizedUpdateStrings, LoadedUpdateItems);
}

}  // namespace WRL
