#include "app/maplistview.h"

#include "cutting/cutrun.h"
#include "cutting/rounding.h"

#include <QComboBox>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QVBoxLayout>

MapListView::MapListView(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("MapListView"));
    ComboBox1 = new QComboBox(this);
    ComboBox1->setObjectName(QStringLiteral("ComboBox1"));
    ComboBox1->setMinimumWidth(200);
    StaticText6 = new QLabel(this);
    StaticText6->setObjectName(QStringLiteral("StaticText6"));
    MapList = new QPlainTextEdit(this);
    MapList->setObjectName(QStringLiteral("MapList"));
    MapList->setReadOnly(true);
    MapList->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    connect(ComboBox1, &QComboBox::activated, this, [this](int index) {
        // "Все" is the last entry.
        showMaterial(index == ComboBox1->count() - 1 ? -1 : index);
    });

    auto *top = new QHBoxLayout;
    top->addWidget(new QLabel(QStringLiteral("Выбор материала"), this));
    top->addWidget(ComboBox1);
    top->addSpacing(24);
    top->addWidget(StaticText6);
    top->addStretch(1);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(MapList, 1);
}

void MapListView::showRun(const lamira::CutRun &run)
{
    m_run = &run;
    ComboBox1->clear();
    for (const lamira::MaterialSlot &slot : run.MapStore.Slots())
        ComboBox1->addItem(QString::fromStdString(slot.Material));
    ComboBox1->addItem(QStringLiteral("Все"));
    ComboBox1->setCurrentIndex(ComboBox1->count() - 1);
    if (run.MaterialCount() > 0)
        StaticText6->setText(
            QStringLiteral("Общий процент заполнения листов : %1 %")
                .arg(lamira::RoundTo(run.MapStore.Slot(run.MaterialCount() - 1).FillPercent, -2)));
    showMaterial(-1);
}

void MapListView::showMaterial(int slot)
{
    if (!m_run)
        return;
    QStringList lines;
    const std::vector<lamira::CTree *> maps =
        slot < 0 ? m_run->MapStore.View() : m_run->MapStore.View(slot);
    for (size_t i = 0; i < maps.size(); ++i)
        lines << QStringLiteral("%1. %2").arg(i + 1).arg(
            QString::fromStdString(maps[i]->InfoText()));
    MapList->setPlainText(lines.join(QLatin1Char('\n')));
}
