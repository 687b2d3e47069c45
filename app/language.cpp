#include "app/language.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLocale>
#include <QMenu>
#include <QSettings>
#include <QWidget>
#include <cstdio>
#include <string>

#include "app/shown_text.h"
#include "controls/shell_texts.h"
#include "language/catalog.h"

namespace {

const QString kSettingKey = QStringLiteral("view/language");  // absent: follow the system

// A built catalog file: from TESSALINE_CATALOG_DIR when it holds one (a
// translator tries a .po without rebuilding the program: po_to_json.py
// build, then point this at its folder), else from the resources.
QByteArray CatalogFile(const QString& name)
{
    const QString dir = QString::fromLocal8Bit(qgetenv("TESSALINE_CATALOG_DIR"));
    QFile outside(dir + QLatin1Char('/') + name);
    if (!dir.isEmpty() && outside.open(QIODevice::ReadOnly)) return outside.readAll();
    QFile inside(QStringLiteral(":/lang/") + name);
    return inside.open(QIODevice::ReadOnly) ? inside.readAll() : QByteArray();
}

// Numbers the shell formats itself (its spin boxes) take the catalog's
// decimal mark, and read it back when typed; no digit grouping anywhere.
QLocale NumberLocale()
{
    QLocale numbers = CurrentCatalog().decimalMark == ',' ? QLocale(QLocale::German, QLocale::Germany) : QLocale::c();
    numbers.setNumberOptions(QLocale::OmitGroupSeparator | QLocale::RejectGroupSeparator);
    return numbers;
}

std::vector<std::string> Codes(const std::vector<LanguageChoice>& languages)
{
    std::vector<std::string> codes;
    for (const LanguageChoice& l : languages) codes.push_back(l.code.toStdString());
    return codes;
}

QString SystemLanguage()
{
    std::vector<std::string> preferred;
    for (const QString& tag : QLocale::system().uiLanguages()) preferred.push_back(tag.toStdString());
    return QString::fromStdString(MatchLanguage(preferred, Codes(AvailableLanguages())));
}

// The item of the remembered choice; with none, "System language", unless
// this session was started in another (--language) which is then shown.
void SyncMenu(QMenu* menu)
{
    QSettings settings;
    QString shown = settings.value(kSettingKey).toString();
    const QString current = QString::fromStdString(CurrentCatalog().code);
    if (!settings.contains(kSettingKey) && current != SystemLanguage()) shown = current;
    for (QAction* action : menu->actions()) action->setChecked(action->data().toString() == shown);
}

}  // namespace

std::vector<LanguageChoice> AvailableLanguages()
{
    std::vector<LanguageChoice> languages;
    for (const QJsonValue& entry : QJsonDocument::fromJson(CatalogFile(QStringLiteral("languages.json"))).array()) {
        const QJsonObject o = entry.toObject();
        languages.push_back({o.value(QStringLiteral("code")).toString(), o.value(QStringLiteral("name")).toString()});
    }
    if (languages.empty()) languages.push_back({QStringLiteral("en"), QStringLiteral("English")});
    return languages;
}

bool ApplyLanguage(const QString& code)
{
    if (code == QLatin1String("en")) {
        UseEnglish();
    } else {
        const QByteArray json = CatalogFile(code + QStringLiteral(".json"));
        if (json.isEmpty()) return false;
        Catalog catalog;
        std::string error;
        if (!ParseCatalog(std::string_view(json.constData(), static_cast<size_t>(json.size())), catalog, error)) {
            std::fprintf(stderr, "tessaline: the %s catalog is unreadable: %s\n", qPrintable(code), error.c_str());
            return false;
        }
        UseCatalog(std::move(catalog));
    }
    // Menus, dialogs and windows mirror in a right-to-left language; the
    // canvas and the plots keep their own left-to-right (they say so).
    const Qt::LayoutDirection direction = CurrentCatalog().rightToLeft ? Qt::RightToLeft : Qt::LeftToRight;
    if (QGuiApplication::layoutDirection() != direction) QGuiApplication::setLayoutDirection(direction);
    QLocale::setDefault(NumberLocale());
    for (QWidget* window : QApplication::topLevelWidgets()) window->setLocale(NumberLocale());
    RetranslateWidgets();
    return true;
}

QString ApplyStartLanguage(const QString& asked)
{
    if (!asked.isEmpty()) {
        if (ApplyLanguage(asked)) return asked;
        std::fprintf(stderr, "tessaline: no catalog for language '%s'\n", qPrintable(asked));
    }
    const QString remembered = QSettings().value(kSettingKey).toString();
    if (!remembered.isEmpty() && ApplyLanguage(remembered)) return remembered;
    const QString system = SystemLanguage();
    if (ApplyLanguage(system)) return system;
    ApplyLanguage(QStringLiteral("en"));
    return QStringLiteral("en");
}

QMenu* AddLanguageMenu(QMenu* view, QWidget* owner)
{
    auto* menu = new QMenu(view);
    menu->setObjectName(QStringLiteral("language"));
    SetUiText(menu, kLanguageMenuTitle);
    view->addMenu(menu);
    auto* group = new QActionGroup(menu);
    QAction* system = menu->addAction(QString());
    SetUiText(system, kSystemLanguageText);
    system->setObjectName(QStringLiteral("systemLanguage"));
    system->setData(QString());
    menu->addSeparator();
    for (const LanguageChoice& language : AvailableLanguages()) {
        QAction* action = menu->addAction(language.name);  // its own name, in every language
        action->setObjectName(QStringLiteral("language-") + language.code);
        action->setData(language.code);
    }
    for (QAction* action : menu->actions()) {
        if (action->isSeparator()) continue;
        action->setCheckable(true);
        group->addAction(action);
    }
    SyncMenu(menu);
    QObject::connect(group, &QActionGroup::triggered, owner, [menu](QAction* chosen) {
        const QString code = chosen->data().toString();
        if (code.isEmpty()) QSettings().remove(kSettingKey);
        else QSettings().setValue(kSettingKey, code);
        ApplyLanguage(code.isEmpty() ? SystemLanguage() : code);
        SyncMenu(menu);
    });
    return menu;
}
