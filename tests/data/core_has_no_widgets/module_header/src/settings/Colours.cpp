#include <QtGui>
