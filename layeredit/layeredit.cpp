#include "layeredit/layeredit.h"

namespace kobalin {

TLayeredit::TLayeredit(RunData& run, QWidget* parent) : QDialog(parent), run_(run)
{
    setObjectName("Layeredit");
    setWindowTitle("Layeredit");
}

}  // namespace kobalin
