#pragma once

#include <QDialog>

// The About window: credits and links.
class frmAbout : public QDialog
{
    Q_OBJECT
public:
    explicit frmAbout(QWidget* parent = nullptr);
};
