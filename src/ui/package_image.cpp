#include "ui/package_image.hpp"

#include <QBuffer>
#include <QFile>
#include <QFutureWatcher>
#include <QImageReader>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QPainter>
#include <QPainterPath>
#include <QQmlEngine>
#include <QQuickWindow>
#include <QtConcurrent/QtConcurrentRun>

namespace {
// Decodes `bytes`, or the file at `path` when one is given, at no more than the pixels the item
// shows (a large icon is scaled down while it is read).
QImage decodeImage(QByteArray bytes, const QString& path, QSize target) {
  if (!path.isEmpty()) {
    QFile file(path);
    if (file.size() > PackageImage::maxBytes || !file.open(QIODevice::ReadOnly)) return {};
    bytes = file.readAll();
  }
  QBuffer buffer;
  buffer.setData(bytes);
  QImageReader reader(&buffer);
  const QSize full = reader.size();
  if (full.isValid() && target.isValid() && full.width() > target.width() && full.height() > target.height())
    reader.setScaledSize(full.scaled(target, Qt::KeepAspectRatioByExpanding));
  return reader.read();
}

// The same image without colour; transparency is kept.
QImage withoutColour(const QImage& image) {
  QImage grey = image.convertToFormat(QImage::Format_ARGB32);
  for (int y = 0; y < grey.height(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(grey.scanLine(y));
    for (int x = 0; x < grey.width(); ++x) {
      const int g = qGray(line[x]);
      line[x] = qRgba(g, g, g, qAlpha(line[x]));
    }
  }
  return grey;
}
}  // namespace

PackageImage::PackageImage(QQuickItem* parent) : QQuickPaintedItem(parent) { setAntialiasing(true); }

PackageImage::~PackageImage() { dropReply(); }

// Forgets the reply before aborting it, so its finished signal is ignored.
void PackageImage::dropReply() {
  QNetworkReply* reply = reply_;
  reply_ = nullptr;
  if (reply) reply->abort();
}

void PackageImage::setSource(const QUrl& source) {
  if (source == source_) return;
  source_ = source;
  emit sourceChanged();
  if (isComponentComplete()) fetch();
}

void PackageImage::setRadius(qreal radius) {
  if (qFuzzyCompare(radius, radius_)) return;
  radius_ = radius;
  emit radiusChanged();
  update();
}

void PackageImage::setGrey(bool grey) {
  if (grey == grey_) return;
  grey_ = grey;
  emit greyChanged();
  update();
}

void PackageImage::componentComplete() {
  QQuickPaintedItem::componentComplete();
  fetch();
}

void PackageImage::fetch() {
  ++generation_;
  dropReply();
  if (!image_.isNull()) {
    image_ = greyImage_ = QImage();
    update();
  }
  setStatus(source_.isEmpty() ? Null : Loading);
  if (source_.isEmpty()) return;
  if (source_.isLocalFile() || source_.scheme() == "qrc") {
    decode({}, source_.isLocalFile() ? source_.toLocalFile() : ":" + source_.path());
    return;
  }
  QQmlEngine* engine = qmlEngine(this);
  if (!engine) return setStatus(Error);
  QNetworkReply* reply = engine->networkAccessManager()->get(QNetworkRequest(source_));
  reply_ = reply;
  // A body larger than any icon is cut off rather than held in memory.
  connect(reply, &QNetworkReply::downloadProgress, reply, [reply](qint64 received, qint64) {
    if (received > maxBytes) reply->abort();
  });
  connect(reply, &QNetworkReply::finished, this, [this, reply] {
    reply->deleteLater();
    if (reply != reply_) return;
    if (reply->error() == QNetworkReply::NoError)
      decode(reply->readAll(), {});
    else
      setStatus(Error);
  });
}

void PackageImage::decode(QByteArray bytes, QString path) {
  const qreal ratio = window() ? window()->effectiveDevicePixelRatio() : 1.0;
  const QSize target = (size() * ratio).toSize();
  auto* watcher = new QFutureWatcher<QImage>(this);
  connect(watcher, &QFutureWatcher<QImage>::finished, this, [this, watcher, generation = generation_] {
    watcher->deleteLater();
    show(watcher->result(), generation);
  });
  watcher->setFuture(QtConcurrent::run(decodeImage, std::move(bytes), std::move(path), target));
}

void PackageImage::show(QImage image, quint64 generation) {
  if (generation != generation_) return;
  if (image.isNull()) return setStatus(Error);
  image_ = std::move(image);
  greyImage_ = QImage();
  setStatus(Ready);
  update();
}

void PackageImage::setStatus(Status status) {
  if (status == status_) return;
  status_ = status;
  emit statusChanged();
}

void PackageImage::paint(QPainter* painter) {
  if (image_.isNull()) return;
  const QRectF bounds = boundingRect();
  QPainterPath clip;
  clip.addRoundedRect(bounds, radius_, radius_);
  painter->setRenderHint(QPainter::Antialiasing);
  painter->setRenderHint(QPainter::SmoothPixmapTransform);
  painter->setClipPath(clip);
  // Fill the square, cropping the longer side.
  const QSizeF drawn = QSizeF(image_.size()).scaled(bounds.size(), Qt::KeepAspectRatioByExpanding);
  const QRectF target(bounds.center() - QPointF(drawn.width(), drawn.height()) / 2, drawn);
  if (grey_ && greyImage_.isNull()) greyImage_ = withoutColour(image_);
  painter->drawImage(target, grey_ ? greyImage_ : image_);
}
