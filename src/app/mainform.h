#pragma once

#include <QMainWindow>

class QAction;
class QFrame;
class QMenu;
class QMenuBar;
class QScrollArea;
class QTabWidget;
class QToolButton;
class QVBoxLayout;
class TInfoProgress;

namespace lamira {
class Database;
}

// The main window: title, tool bar, main menu and the places where the
// order sheet (Panel4, ScrollBox1) and the cutting pages (PageControl1) go.
// It holds the program's database and progress window for the windows and
// panels it owns. The work itself lives in the objects it connects.
class TMainForm final : public QMainWindow
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TMainForm)

public:
    explicit TMainForm(lamira::Database &database, QWidget *parent = nullptr);

    lamira::Database &database() const { return m_database; }
    TInfoProgress *infoProgress() const { return m_infoProgress; }
    void setInfoProgress(TInfoProgress *progress) { m_infoProgress = progress; }

    // "Выход": closes the window, which ends the program.
    void N1Click();

    // Tool bar.
    QFrame *Panel1;
    QToolButton *OrdersButton;
    QToolButton *CutButton;
    QToolButton *ReportButton;
    QToolButton *BankOfMaterialsButton;
    QToolButton *BankOfProductsButton;

    // Main menu.
    QMenuBar *MainMenu1;
    QMenu *N4; // "Операции"
    QAction *N5;
    QAction *N6;
    QAction *N7;
    QAction *N8;
    QAction *N9;
    QMenu *N2; // "Настройки"
    QAction *SettingsItem;
    QAction *N19;
    QAction *N20;
    QMenu *N3; // "Помощь"
    QAction *N10;
    QAction *N11;
    QAction *N1; // "Выход"

    // The order sheet: its header panel and the scroll box of product
    // panels, which go into ProductArea above its closing stretch.
    QFrame *Panel4;
    QScrollArea *ScrollBox1;
    QVBoxLayout *ProductArea;

    // The cutting pages; hidden until the first cutting job, and when shown
    // they cover the order sheet.
    QTabWidget *PageControl1;
    QWidget *TabSheet1; // "Формирование раскроя"
    QWidget *TabSheet2; // "Карты раскроя"

private:
    void buildToolBar();
    void buildMenu();
    void buildWorkArea();

    lamira::Database &m_database;
    TInfoProgress *m_infoProgress = nullptr;
};
