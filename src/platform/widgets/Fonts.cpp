#include "platform/widgets/Fonts.h"

#include <QStringList>

namespace platform {
namespace {

void RegisterSubstitutes() {
  static const bool done = [] {
    const QStringList sans = {QStringLiteral("Liberation Sans"), QStringLiteral("Arial"),
                              QStringLiteral("DejaVu Sans")};
    QFont::insertSubstitutions(QStringLiteral("Tahoma"),
                               QStringList{QStringLiteral("Segoe UI")} + sans);
    QFont::insertSubstitutions(QStringLiteral("MS Sans Serif"), sans);
    QFont::insertSubstitutions(QStringLiteral("Arial"),
                               {QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")});
    QFont::insertSubstitutions(
        QStringLiteral("Times New Roman"),
        {QStringLiteral("Liberation Serif"), QStringLiteral("DejaVu Serif")});
    return true;
  }();
  Q_UNUSED(done);
}

}  // namespace

QFont DesignFont(const QString& family, qreal points, bool bold) {
  RegisterSubstitutes();
  QFont font(family);
  font.setPointSizeF(points);
  font.setBold(bold);
  return font;
}

}  // namespace platform
