#pragma once
// The language the desktop shows: the catalogs are compiled into the
// program's resources (:/lang/<code>.json, and languages.json listing them),
// chosen at start from an explicit option, the remembered choice, the
// system's languages or English, and switched from the View menu at once.
#include <QString>
#include <vector>

class QMenu;
class QWidget;

struct LanguageChoice {
    QString code;  // "de", "zh-CN"; "en" for the program's own
    QString name;  // in the language itself, as the menu lists it
};

// The languages the resources hold, English first, as languages.json lists them.
std::vector<LanguageChoice> AvailableLanguages();

// Puts the language of code in force (its catalog, the reading direction of
// every window) and shows every open window in it. False, and nothing
// changed, when the resources hold no such catalog. The pseudo-language
// "qps" is loadable here, though no menu lists it.
bool ApplyLanguage(const QString& code);

// At start: the language asked for (--language CODE or TESSALINE_LANGUAGE),
// else the one chosen last on this machine, else the best match of the
// system's languages, else English. Returns the code put in force.
QString ApplyStartLanguage(const QString& asked);

// The "Language" submenu: "System language" and every language by its own
// name; a choice switches at once and is remembered on this machine.
QMenu* AddLanguageMenu(QMenu* view, QWidget* owner);
