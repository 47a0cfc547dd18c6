// Opening a web page with the user's default browser.
#ifndef TOOLKIT_BROWSERHELPERS_HPP
#define TOOLKIT_BROWSERHELPERS_HPP

#include "UniString.hpp"

// True for an http or https URL, the only texts RunBrowser opens.
bool IsWebAddress(const GS::UniString& url);

// Opens an http or https URL with the system's default handler; true when the system accepted
// it. Any other text (another scheme, no URL at all) opens nothing and gives false: a page link
// must never start a program or open a local file.
bool RunBrowser(const GS::UniString& url);

#endif
