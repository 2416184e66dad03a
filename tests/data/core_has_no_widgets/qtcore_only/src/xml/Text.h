#include <QtCore/QString>
#include <QtEndian>
#include <QStringList>
// Drawn by the window, not here: #include <QPainter>
