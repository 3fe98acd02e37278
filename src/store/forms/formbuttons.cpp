#include "store/forms/formbuttons.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QString>

namespace FormButtons {

QPushButton *button(QWidget *parent, const char *name, const QString &caption)
{
    auto *b = new QPushButton(caption, parent);
    b->setObjectName(QLatin1String(name));
    b->setAutoDefault(false);
    return b;
}

OkCancel okCancel(QWidget *parent, const char *okName, const char *cancelName)
{
    OkCancel pair;
    pair.ok = new QPushButton(QStringLiteral("ОК"), parent);
    pair.ok->setObjectName(QLatin1String(okName));
    pair.ok->setDefault(true);
    pair.cancel = button(parent, cancelName, QStringLiteral("Отмена"));
    pair.row = new QHBoxLayout;
    pair.row->addStretch(1);
    pair.row->addWidget(pair.ok);
    pair.row->addWidget(pair.cancel);
    return pair;
}

} // namespace FormButtons
