#pragma once
// Qt's own German texts for its dialogs and standard buttons ("Abbrechen",
// "Speichern unter", "Dateiname:"), whatever language the desktop speaks.

class QCoreApplication;

namespace sx {

// Installs Qt's German translations on the application. False when they
// are not installed; the dialogs then keep Qt's English texts.
bool LoadGermanTranslations(QCoreApplication &app);

}  // namespace sx
