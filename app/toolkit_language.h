#pragma once
// The toolkit's own texts (file dialogs, "OK" and "Cancel" buttons, context
// menus) in the window's language, Brazilian Portuguese, from Qt's translations
// (Debian: qt6-translations-l10n).
#include <QCoreApplication>

namespace zm48d {

// Installs the translations on `application`; false when they are not there,
// and the toolkit then speaks English.
bool LoadToolkitTranslations(QCoreApplication& application);

}  // namespace zm48d
