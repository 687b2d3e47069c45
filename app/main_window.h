#pragma once
#include <QMainWindow>
#include <cstdint>

class Canvas;
class QAction;
class QToolBar;

// The one top-level window: menu, toolbar and the canvas as its client
// area. It carries out every command of the menu and the toolbar.
class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    MainWindow();
    ~MainWindow() override;

    Canvas* canvas() const { return canvas_; }
    QToolBar* toolbar() const { return toolbar_; }
    // Zooms the field (one of kZoomSteps) and remembers it on this machine.
    void setZoom(int32_t percent);
    // Carries out a menu, accelerator or toolbar command.
    void runCommand(int32_t command);

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    QAction* addCommand(QWidget* owner, const char* text, int32_t command);  // text: a table's, or none
    void buildMenus();

    Canvas* canvas_ = nullptr;
    QToolBar* toolbar_ = nullptr;
    QAction* fullScreen_ = nullptr;
};
