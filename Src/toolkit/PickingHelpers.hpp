// Interactive picking in a plan window: asking the user for a point, an arc or elements, and
// turning the answers into the host's element records. Host errors are not passed on: the helpers
// answer false or null.
#ifndef TOOLKIT_PICKINGHELPERS_HPP
#define TOOLKIT_PICKINGHELPERS_HPP

#include "ACAPinc.h"

bool ClickAPoint(const char* prompt, API_Coord* point);
// Each output pointer may be null.
bool GetAnArc(const char* prompt, API_Coord* centre, API_Coord* start, API_Coord* end, bool* negativeDirection);
// A wanted type of 0 accepts any element. Each output pointer may be null; dropPart makes a click
// on a part of an element mean the whole element.
bool ClickAnElem(const char* prompt, const API_ElemTypeID& wantedType, API_Neig* neig, API_ElemType* type,
                 API_Guid* guid, API_Coord3D* coord, bool dropPart);
// The user clicks elements one after another until a click is cancelled, misses or hits another
// type. The handle holds one API_Neig per accepted click and belongs to the caller (BMKillHandle);
// null when nothing was accepted. count may be null.
GSHandle ClickElements_Neig(const char* prompt, API_ElemTypeID wantedType, int* count);
// The same series as API_Elem_Head records, zero but for the GUID.
GSHandle ClickElements_ElemHead(const char* prompt, API_ElemTypeID wantedType, int* count);

// The element type of a neighbour kind; all zero when the host knows none.
API_ElemType Neig_To_ElemID(API_NeigID neigId);
// False when the element type has no neighbour kind; the neighbour then holds only the GUID.
bool ElemHead_To_Neig(API_Neig* neig, const API_Elem_Head& head);

#endif
