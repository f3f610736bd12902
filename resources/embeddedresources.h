// The program's own resources, compiled in from strings_en.json and menu_en.json.
#ifndef CALIVUE_EMBEDDEDRESOURCES_H
#define CALIVUE_EMBEDDEDRESOURCES_H

namespace calivue::resources {

// Returns the English resource payload (format of languagemodule.h); static storage, never null.
const char* englishPayload();

}  // namespace calivue::resources

#endif
