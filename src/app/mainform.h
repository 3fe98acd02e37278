#pragma once

#include "cutting/cutrun.h"
#include "store/ordercontent.h"

#include <QList>
#include <QMainWindow>

class QAction;
class QFrame;
class QLabel;
class QLineEdit;
class QMenu;
class QMenuBar;
class QScrollArea;
class QTabWidget;
class QToolButton;
class QVBoxLayout;
class MapViewer;
class TCalendarForm;
class TDialogForm;
class TEditInfoMake;
class TFormAbout;
class TInfoProgress;
class TOrderSheet;
class TOrdersForm;

namespace lamira {
class Database;
}

// The main window: title, tool bar, main menu, the order sheet (the order's
// header on Panel4 and its products in ScrollBox1, kept by TOrderSheet) and
// the places where the cutting pages (PageControl1) go. It holds the
// program's database and the windows it opens, and runs the order's life:
// new, open, save, save as, commit with "OK", and the question on exit.
class TMainForm final : public QMainWindow
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TMainForm)

public:
    explicit TMainForm(lamira::Database &database, QWidget *parent = nullptr);

    lamira::Database &database() const { return m_database; }
    TInfoProgress *infoProgress() const { return m_infoProgress; }
    void setInfoProgress(TInfoProgress *progress) { m_infoProgress = progress; }
    // The windows this one opens; each created once at start-up.
    void setCalendarForm(TCalendarForm *form) { m_calendarForm = form; }
    void setOrdersForm(TOrdersForm *form);
    void setDialogForm(TDialogForm *form);
    void setFormAbout(TFormAbout *form) { m_formAbout = form; }

    // The order sheet.
    TOrderSheet *orderSheet() const { return m_sheet; }
    const QList<TEditInfoMake *> &ProductPanels() const;
    TEditInfoMake *AddProductPanel();
    void ClearProductPanels();
    // The open order as the sheet shows it.
    lamira::OrderContent sheetContent() const;
    // The help file: the current directory and "HELP Lamira 2.0 SE.chm".
    static QString helpFile();

    // Order lifecycle.
    void OrderButtonClick();
    void NewItemClick();
    void OpenItemClick();
    // "OK" of the order list: fills the sheet with the order.
    void OKButtonClick(const lamira::OrderListEntry &order);
    void SaveItemClick();
    void SaveAsItemClick();
    void SpeedButton7Click();
    void OrdersButtonClick();

    // Sheet.
    void ProductsButtonClick();
    void CreateItemClick();
    void ComponentsButtonClick();
    void DateEdit2Click();

    // Frame.
    void FormShow();
    // The question on closing; CanClose false keeps the window open.
    void FormCloseQuery(bool &CanClose);
    void N1Click(); // "Выход": closes the window, which ends the program
    void N5Click();
    void N10Click(); // "Справка"
    void N11Click(); // "О программе"

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

    // The order sheet: the order's header on Panel4, the buttons beside it
    // and the scroll box of product panels, which go into ProductArea above
    // its closing stretch.
    QFrame *Panel4;
    QLineEdit *NumberEdit;
    QLineEdit *NameEdit;
    QLineEdit *DateEdit1;
    QLineEdit *DateEdit2;
    QLineEdit *CustomerEdit;
    QLineEdit *CommentEdit;
    QToolButton *OrderButton;
    QToolButton *ProductsButton;
    QToolButton *ComponentsButton;
    QToolButton *SpeedButton7; // "OK"
    QScrollArea *ScrollBox1;
    QVBoxLayout *ProductArea;

    QMenu *OrderButtonMenu;
    QAction *NewItem;
    QAction *OpenItem;
    QAction *SaveItem;
    QAction *SaveAsItem;
    QMenu *PopupMenu1; // of ProductsButton
    QAction *CreateItem;

    // The cutting pages; hidden until the first cutting job, and when shown
    // they cover the order sheet.
    QTabWidget *PageControl1;
    QWidget *TabSheet1; // "Формирование раскроя"
    QWidget *TabSheet2; // "Карты раскроя"

    // The results of the last cut run, which the maps tab shows and edits
    // and the reports read, until the next run replaces them.
    lamira::CutRun &cutRun() { return m_cutRun; }
    // The maps tab's content; showRun(cutRun()) after a successful run.
    MapViewer *mapViewer() const { return m_mapViewer; }
    // Shows the cutting pages on the maps tab.
    void showMapsTab();

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildToolBar();
    void buildMenu();
    void buildWorkArea();
    QWidget *buildSheetButtons(QWidget *parent);
    void buildOrderHeader();
    void wireFrame();

    // Saves the sheet into the stored order of its number; false when it
    // was not saved (the user has been told why).
    bool saveOpenOrder();
    // Stores the sheet as a new order named `name`; the number it got, or 0
    // after an error.
    int insertOpenOrder(const QString &name);
    void saveAsNewOrder(const QString &name);

    lamira::Database &m_database;
    lamira::CutRun m_cutRun;
    MapViewer *m_mapViewer = nullptr;
    TOrderSheet *m_sheet = nullptr;
    TInfoProgress *m_infoProgress = nullptr;
    TCalendarForm *m_calendarForm = nullptr;
    TOrdersForm *m_ordersForm = nullptr;
    TDialogForm *m_dialogForm = nullptr;
    TFormAbout *m_formAbout = nullptr;
    bool m_shown = false;
};
