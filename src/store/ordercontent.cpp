#include "store/ordercontent.h"

namespace lamira {

bool OrderLine::isComplete() const
{
    for (const QString *cell :
         {&number, &name, &length, &width, &quantity, &material, &texture, &area, &cut}) {
        if (cell->isEmpty())
            return false;
    }
    return true;
}

bool OrderHeader::isComplete() const
{
    return !name.isEmpty() && !date1.isEmpty() && !date2.isEmpty() && !customer.isEmpty();
}

} // namespace lamira
