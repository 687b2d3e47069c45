#include "app/toolbar.h"

#include <QAction>
#include <QIcon>
#include <QLayout>
#include <QMainWindow>
#include <QToolBar>
#include <QToolButton>

#include "app/shown_text.h"
#include "controls/shell_texts.h"
#include "resources/strings.h"

QToolBar* CreateToolbar(QMainWindow* window, std::function<void(int32_t)> onCommand)
{
    auto* toolbar = new QToolBar(window);
    SetUiTitle(toolbar, kToolbarName);
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
        auto* action = new QAction(QIcon(QStringLiteral(":/resources/icons/") + QString::fromLatin1(item.picture)),
                                   QString(), toolbar);
        action->setData(command);
        if (tip != nullptr) SetUiTip(action, tip);
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
