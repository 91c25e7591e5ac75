#include "comments/bewerkcommentaar.h"

namespace kobalin {

TBewerkcommentaar::TBewerkcommentaar(QWidget* parent) : QDialog(parent)
{
    setObjectName("Bewerkcommentaar");
    setWindowTitle("Bewerkcommentaar");
}

}  // namespace kobalin
