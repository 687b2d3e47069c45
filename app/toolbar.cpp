#include "app/toolbar.h"

#include <QAction>
#include <QIcon>
#include <QLayout>
#include <QMainWindow>
#include <QToolBar>
#include <QToolButton>

#include "app/commands.h"
#include "resources/strings.h"

// A narrow gap between neighbours, a wide one between the stimulus buttons
// and the cell buttons.
const ToolbarItem kToolbarLayout[kToolbarItems] = {
    {0, 4, nullptr}, {CmdSpot, 0, ":/resources/icons/spot.png"},
    {0, 4, nullptr}, {CmdAnnulus, 0, ":/resources/icons/annulus.png"},
    {0, 4, nullptr}, {CmdBar, 0, ":/resources/icons/bar.png"},
    {0, 4, nullptr}, {CmdGrating, 0, ":/resources/icons/grating.png"},
    {0, 4, nullptr}, {CmdInvertPolarity, 0, ":/resources/icons/polarity.png"},
    {0, 16, nullptr}, {CmdOnCentre, 0, ":/resources/icons/on_centre.png"},
    {0, 4, nullptr}, {CmdOffCentre, 0, ":/resources/icons/off_centre.png"},
    {0, 4, nullptr}, {CmdSimple, 0, ":/resources/icons/simple.png"},
    {0, 4, nullptr}, {CmdDirectional, 0, ":/resources/icons/directional.png"},
    {0, 4, nullptr}, {CmdComplex, 0, ":/resources/icons/complex.png"},
    {0, 4, nullptr}, {CmdHelp, 0, ":/resources/icons/help.png"},
};

QToolBar* CreateToolbar(QMainWindow* window, std::function<void(int32_t)> onCommand)
{
    auto* toolbar = new QToolBar(QStringLiteral("Tools"), window);
    toolbar->setObjectName(QStringLiteral("toolbar"));
    toolbar->setMovable(false);
    toolbar->setFloatable(false);
    // Hiding the only way to the stimulus and cell buttons helps nobody.
    toolbar->toggleViewAction()->setEnabled(false);
    toolbar->setContextMenuPolicy(Qt::PreventContextMenu);
    toolbar->setIconSize(QSize(kPictureWidth, kPictureHeight));
    toolbar->setToolButtonStyle(Qt::ToolButtonIconOnly);
    toolbar->setContentsMargins(0, 0, 0, 0);
    toolbar->layout()->setSpacing(0);

    for (const ToolbarItem& item : kToolbarLayout) {
        if (item.command == 0) {
            auto* gap = new QWidget(toolbar);
            gap->setFixedSize(item.gapWidth, 1);
            gap->setObjectName(QStringLiteral("gap"));
            toolbar->addWidget(gap);
            continue;
        }
        const int32_t command = item.command;
        const char* tip = LoadProgramString(command);
        auto* action = new QAction(QIcon(QString::fromLatin1(item.picture)), QString(), toolbar);
        action->setData(command);
        action->setToolTip(QString::fromUtf8(tip != nullptr ? tip : ""));
        QObject::connect(action, &QAction::triggered, toolbar, [onCommand, command] { onCommand(command); });
        toolbar->addAction(action);
        if (QWidget* button = toolbar->widgetForAction(action)) {
            button->setFixedSize(kButtonWidth, kButtonHeight);
            // The canvas keeps the keyboard: arrows and '+'/'-' still steer
            // the stimulus after a button was clicked.
            button->setFocusPolicy(Qt::NoFocus);
        }
    }
    window->addToolBar(Qt::TopToolBarArea, toolbar);
    return toolbar;
}
