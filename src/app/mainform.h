#pragma once

#include "cutting/cutrun.h"
#include "store/ordercontent.h"

#include <QList>
#include <QMainWindow>

#include <memory>

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
class CutJobTab;
class MapViewer;
class TBankOfMaterialsForm;
class TBankOfProductsForm;
class TCalendarForm;
class TDialogForm;
class TEditInfoMake;
class TFormAbout;
class TFormAddDetail;
class TInfoProgress;
class TOrderSheet;
class TOrdersForm;

namespace lamira {
class Database;
class Progress;
} // namespace lamira

// The main window: title, tool bar, main menu, the order sheet (the order's
// header on Panel4 and its products in ScrollBox1, kept by TOrderSheet) and
// the cutting pages (PageControl1: the cutting job, the maps). It holds the
// program's database, the windows it opens and the results of the last cut
// run, and runs the order's life: new, open, save, save as, commit with
// "OK", sending to cutting, and the question on exit.
class TMainForm final : public QMainWindow
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TMainForm)

public:
    explicit TMainForm(lamira::Database &database, QWidget *parent = nullptr);
    ~TMainForm() override;

    lamira::Database &database() const { return m_database; }
    TInfoProgress *infoProgress() const { return m_infoProgress; }
    void setInfoProgress(TInfoProgress *progress) { m_infoProgress = progress; }
    // The windows this one opens; each created once at start-up.
    void setCalendarForm(TCalendarForm *form) { m_calendarForm = form; }
    void setOrdersForm(TOrdersForm *form);
    void setDialogForm(TDialogForm *form);
    void setFormAbout(TFormAbout *form) { m_formAbout = form; }
    void setBankOfMaterialsForm(TBankOfMaterialsForm *form) { m_bankOfMaterialsForm = form; }
    void setBankOfProductsForm(TBankOfProductsForm *form);
    void setFormAddDetail(TFormAddDetail *form);

    // The results of the last cut run that produced maps (Maps, the material
    // map store, RunDetails, UncutDetails, the run parameters), which the
    // maps tab, the editor and the reports read; null before the first.
    lamira::CutRun *cutRun() const { return m_cutRun.get(); }
    // Where the cut run shows its progress and learns of a cancel: the
    // progress window unless another display is given.
    void setRunProgress(lamira::Progress *progress) { m_runProgress = progress; }
    // Cuts the job marked in the database into `run` as "В раскрой" does:
    // progress, messages as they arise, the hourglass while it cuts. A
    // failure is shown and gives NothingToCut; a cancel gives Cancelled
    // silently.
    lamira::CutOutcome cutMarkedJob(lamira::CutRun &run);

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

    // Cutting.
    // "Раскрой": saves the open order and makes it the whole cutting job.
    void CutButtonClick();
    void N6Click();
    // "В раскрой": cuts the job; the maps tab shows the maps of a run that
    // made some, while a cancelled run or one with nothing to cut leaves
    // the last results and the maps tab as they were.
    void SpeedButton1Click();

    // Banks.
    void BankOfMaterialsButtonClick();
    void BankOfProductsButtonClick();
    void ImportFromBankItemClick();
    void N8Click();
    void N9Click();

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
    QAction *ImportFromBankItem;

    // The cutting pages; hidden until the first cutting job, and when shown
    // they cover the order sheet.
    QTabWidget *PageControl1;
    QWidget *TabSheet1; // "Формирование раскроя"
    QWidget *TabSheet2; // "Карты раскроя"
    CutJobTab *JobTab;  // the content of TabSheet1

    // The maps tab's content, showing cutRun().
    MapViewer *mapViewer() const { return m_mapViewer; }
    // Makes `run`, which has made maps, the results of the last cut run and
    // shows them on the maps tab; the previous run's panels go first.
    void adoptRun(std::unique_ptr<lamira::CutRun> run);
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
    // Saves the sheet, or stores it as "OK" would when no order has its
    // number yet (the sheet then shows the number it got); false when it
    // was not stored.
    bool storeOpenOrder();
    // Stores the sheet as a new order named `name`; the number it got, or 0
    // after an error.
    int insertOpenOrder(const QString &name);
    void saveAsNewOrder(const QString &name);

    lamira::Database &m_database;
    MapViewer *m_mapViewer = nullptr;
    TOrderSheet *m_sheet = nullptr;
    TInfoProgress *m_infoProgress = nullptr;
    TCalendarForm *m_calendarForm = nullptr;
    TOrdersForm *m_ordersForm = nullptr;
    TDialogForm *m_dialogForm = nullptr;
    TFormAbout *m_formAbout = nullptr;
    TBankOfMaterialsForm *m_bankOfMaterialsForm = nullptr;
    TBankOfProductsForm *m_bankOfProductsForm = nullptr;
    lamira::Progress *m_runProgress = nullptr;
    std::unique_ptr<lamira::CutRun> m_cutRun;
    bool m_shown = false;
};
