#pragma once

#include "i18n/Language.h"

class QCoreApplication;

// The widgets' texts and Qt's own (dialog buttons, file dialogs) in `language`, from the
// program's catalogue and Qt's, owned by the application. False when the program's own
// catalogue is missing; the texts then stay the source texts.
bool InstallTranslators(QCoreApplication& app, kelvane::i18n::Language language);

// The name of the language's catalogues: "ko", "en".
const char* CatalogueLanguage(kelvane::i18n::Language language);
