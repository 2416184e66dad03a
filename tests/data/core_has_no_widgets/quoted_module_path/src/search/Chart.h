#pragma once

#  include "QtCharts/QChart"
