#pragma once

// Qt's own texts in Russian: the standard buttons of message boxes ("Да",
// "Нет", "Отмена"), the file dialogs and their overwrite question.

namespace kamerol::shell {

// Installs Qt's Russian catalogue on the application; false when it cannot
// be read (the texts then stay English). Needs the QCoreApplication; a second
// call does nothing.
bool installQtTranslation();

}  // namespace kamerol::shell
