#pragma once

#include <QWidget>

// The image panel: white, carrying the form image and the sheet fields, with
// a caption that shows only where no image covers it.
class ImagePanel : public QWidget
{
    Q_OBJECT
public:
    explicit ImagePanel(QWidget *parent = nullptr);

    void setCaption(const QString &caption);
    QString caption() const { return m_caption; }

signals:
    void resized(const QSize &size);

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    QString m_caption;
};
