#include "manager/ui/launcher_picture.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPointF>
#include <QPolygonF>

namespace veldra::ui {
namespace {

// A point of a grid on an oblique plane: i runs to the right, j into the picture.
QPointF gridPoint(int i, int j, QSize size) {
  const double left = size.width() * 0.06;
  const double base = size.height() * 0.86;
  return {left + i * size.width() * 0.055 + j * size.width() * 0.03,
          base - j * size.height() * 0.09};
}

void drawMesh(QPainter& painter, QSize size) {
  constexpr int kColumns = 8;
  constexpr int kRows = 6;
  painter.setPen(QPen(QColor(40, 70, 120), 1.0));
  for (int j = 0; j < kRows; ++j) {
    for (int i = 0; i < kColumns; ++i) {
      const QPointF a = gridPoint(i, j, size), b = gridPoint(i + 1, j, size);
      const QPointF c = gridPoint(i + 1, j + 1, size), d = gridPoint(i, j + 1, size);
      const int shade = 200 - 8 * (i + j);
      painter.setBrush(QColor(shade - 40, shade, 235));
      painter.drawPolygon(QPolygonF({a, b, c}));
      painter.setBrush(QColor(shade - 25, shade + 10, 240));
      painter.drawPolygon(QPolygonF({a, c, d}));
    }
  }
}

void drawMeshIcon(QPainter& painter) {
  painter.setPen(QPen(QColor(40, 70, 120), 1.5));
  painter.setBrush(QColor(150, 185, 235));
  const QPointF a(4, 28), b(16, 28), c(28, 28), d(10, 16), e(22, 16), f(16, 4);
  for (const QPolygonF& triangle :
       {QPolygonF({a, b, d}), QPolygonF({b, e, d}), QPolygonF({b, c, e}), QPolygonF({d, e, f})})
    painter.drawPolygon(triangle);
}

void drawMatrixIcon(QPainter& painter) {
  painter.setPen(QPen(QColor(40, 70, 120), 1.0));
  for (int row = 0; row < 5; ++row)
    for (int column = 0; column < 5; ++column) {
      const int distance = row > column ? row - column : column - row;
      painter.setBrush(distance == 0   ? QColor(30, 60, 140)
                       : distance == 1 ? QColor(110, 150, 220)
                                       : QColor(235, 240, 250));
      painter.drawRect(QRectF(3 + column * 5.2, 3 + row * 5.2, 5, 5));
    }
}

void drawResultIcon(QPainter& painter) {
  const QColor colours[] = {QColor(40, 80, 200), QColor(60, 170, 220), QColor(90, 200, 90),
                            QColor(240, 200, 50), QColor(220, 70, 50)};
  painter.setPen(Qt::NoPen);
  for (int band = 0; band < 5; ++band) {
    painter.setBrush(colours[band]);
    painter.drawRect(QRectF(4 + band * 4.8, 4 + band * 4.8, 28 - band * 4.8 - 4, 24 - band * 4.8));
  }
}

}  // namespace

QIcon stageIcon(int stage) {
  QPixmap picture(32, 32);
  picture.fill(Qt::transparent);
  QPainter painter(&picture);
  painter.setRenderHint(QPainter::Antialiasing);
  if (stage == 1)
    drawMeshIcon(painter);
  else if (stage == 2)
    drawMatrixIcon(painter);
  else
    drawResultIcon(painter);
  return QIcon(picture);
}

QPixmap launcherPicture(QSize size) {
  QPixmap picture(size);
  picture.fill(Qt::white);
  QPainter painter(&picture);
  painter.setRenderHint(QPainter::Antialiasing);
  QLinearGradient sky(0, 0, 0, size.height());
  sky.setColorAt(0, QColor(250, 252, 255));
  sky.setColorAt(1, QColor(215, 228, 245));
  painter.fillRect(picture.rect(), sky);
  drawMesh(painter, size);
  QFont title(QStringLiteral("Sans Serif"));
  title.setPixelSize(size.height() / 4);
  title.setBold(true);
  painter.setFont(title);
  painter.setPen(QColor(25, 45, 90));
  const QRectF titleArea(size.width() * 0.45, 0, size.width() * 0.53, size.height() * 0.55);
  painter.drawText(titleArea, Qt::AlignRight | Qt::AlignVCenter, QStringLiteral("VELDRA"));
  QFont subtitle = title;
  subtitle.setBold(false);
  subtitle.setPixelSize(size.height() / 11);
  painter.setFont(subtitle);
  const QRectF subtitleArea(size.width() * 0.45, size.height() * 0.5, size.width() * 0.53,
                            size.height() * 0.2);
  painter.drawText(subtitleArea, Qt::AlignRight | Qt::AlignTop, QStringLiteral("MEF / MEC 3D"));
  return picture;
}

}  // namespace veldra::ui
