#pragma once

#include <QtQml/qqml.h>
#include <QImage>
#include <QPointer>
#include <QQuickPaintedItem>
#include <QUrl>

class QNetworkReply;

// A package icon as a scene item: fetched through the engine's network access (and its disk cache),
// decoded on a worker thread, drawn cropped to fill a rounded square, and grey when `grey` is set.
// Drawn with QPainter so it looks the same on every scene-graph backend. A failed fetch (404, a
// redirect loop, bytes that are not an image, more than `maxBytes`) leaves it empty with the status
// Error, and the placeholder underneath shows.
class PackageImage : public QQuickPaintedItem {
  Q_OBJECT
  QML_ELEMENT
  Q_PROPERTY(QUrl source READ source WRITE setSource NOTIFY sourceChanged)
  Q_PROPERTY(qreal radius READ radius WRITE setRadius NOTIFY radiusChanged)
  Q_PROPERTY(bool grey READ grey WRITE setGrey NOTIFY greyChanged)
  Q_PROPERTY(Status status READ status NOTIFY statusChanged)

 public:
  enum Status { Null, Loading, Ready, Error };
  Q_ENUM(Status)

  static constexpr qint64 maxBytes = 4 * 1024 * 1024;

  explicit PackageImage(QQuickItem* parent = nullptr);
  ~PackageImage() override;

  QUrl source() const { return source_; }
  void setSource(const QUrl& source);
  qreal radius() const { return radius_; }
  void setRadius(qreal radius);
  bool grey() const { return grey_; }
  void setGrey(bool grey);
  Status status() const { return status_; }

  void paint(QPainter* painter) override;

 signals:
  void sourceChanged();
  void radiusChanged();
  void greyChanged();
  void statusChanged();

 protected:
  void componentComplete() override;

 private:
  void fetch();
  void dropReply();
  void decode(QByteArray bytes, QString path);
  void show(QImage image, quint64 generation);
  void setStatus(Status status);

  QUrl source_;
  qreal radius_ = 0;
  bool grey_ = false;
  Status status_ = Null;
  QImage image_;
  QImage greyImage_;  // made on the first grey paint
  QPointer<QNetworkReply> reply_;
  quint64 generation_ = 0;  // a result for an earlier source is dropped
};
