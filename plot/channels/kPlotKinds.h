#pragma once
// Binds the object kinds of this library (toolbars, legends, tables,
// channels, data cursors, limits, labels, annotations) into a plot's
// managers: the class each manager creates and the first links it gives a
// new object. Whoever assembles a plot calls it once the plot's master
// manager exists, before objects of these kinds are added or read.
class TkPlotMasterManager;

void RegisterPlotKinds(TkPlotMasterManager& Master);
