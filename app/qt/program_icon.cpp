#include "app/qt/program_icon.hpp"

#include <QPixmap>

namespace kestal {

namespace {
#include "app/kestal.xpm"
}  // namespace

QIcon ProgramIcon() {
    return QIcon(QPixmap(kestal_xpm));
}

}  // namespace kestal
