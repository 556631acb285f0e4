#pragma once

#include "print/FormPicture.h"

#include <QImage>
#include <QWidget>

// The form image: the scanned blank form behind the fields, stretched to
// fill its panel (or, when asked, shown at its own pixel size, centred).
class FormImage : public QWidget
{
    Q_OBJECT
public:
    explicit FormImage(QWidget *parent = nullptr);

    void setPicture(const QImage &picture);
    const QImage &picture() const { return m_picture; }
    void setStretched(bool stretched);
    bool isStretched() const { return m_stretched; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QImage m_picture;
    bool m_stretched = true;
};
