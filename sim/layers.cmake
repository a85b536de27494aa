# The simulator's layers, lowest first, and the files of each (paths under
# sim/). A unit includes headers of its own layer and of the layers it
# uses (KORVAX_USES_…), which lie below it, never of one above; each layer
# is a static library linked only with the layers it uses (CMakeLists.txt),
# and tests/layers/check-layers.cmake fails on an include against the
# direction, on an include not spelled from sim/, and on a file of sim/ in
# no layer.
#
#   base        header-only helpers that depend on nothing
#   port        the window system's primitives: Xlib and SVG
#   geometry    position strings and the pure arithmetic of the plane:
#               world coordinates, the view, tiling, icon layout and shapes,
#               pane rectangles, sub-window bands
#   engine      signals, registration, netlist, events, scheduling, command
#               line, test vectors, waveform files
#   components  the component library
#   analysis    what is told about a built circuit from the library's kinds:
#               kinds, netlist files, the oscillation watch, the timing
#               report, the chains of causes
#   display     the window on the screen (its port, colours and drawing
#               primitives), the translation of its events, and what draws
#               on it: panes, tabs, super probes, the watch panel
#   passes      phase five: the drawing passes and every drawing sequence
#               made of them, and the icons they draw
#   input       what keys, buttons and pointer motions do, running the
#               sequences of the passes
#   driver      what ties the engine to the display: Sim, the run loop,
#               main, and korvax.h, the header circuits include
set(KORVAX_LAYERS base port geometry engine components analysis display passes input driver)

# The layers each layer uses, all below it: the display and the components
# stand side by side on the engine, so neither includes the other.
set(KORVAX_USES_base)
set(KORVAX_USES_port base)
set(KORVAX_USES_geometry base)
set(KORVAX_USES_engine base geometry)
set(KORVAX_USES_components base geometry engine)
set(KORVAX_USES_analysis base geometry engine components)
set(KORVAX_USES_display base port geometry engine)
set(KORVAX_USES_passes base port geometry engine display)
set(KORVAX_USES_input base port geometry engine display passes)
set(KORVAX_USES_driver base port geometry engine components analysis display passes input)

set(KORVAX_LAYER_base
  Arena.h
  ownedCopy.h)

set(KORVAX_LAYER_port
  display/XPort.h display/XPort.cpp
  display/PortBatch.h display/PortBatch.cpp
  display/SvgPort.h display/SvgPort.cpp)

set(KORVAX_LAYER_geometry
  Position.h Position.cpp
  display/ScrnTile.h
  display/World.h display/World.cpp
  display/IconLayout.h display/IconLayout.cpp
  display/PaneRect.h display/PaneRect.cpp
  display/SubWindowBand.h display/SubWindowBand.cpp
  display/Windex.h display/Windex.cpp
  display/SchCell.h display/SchCell.cpp
  display/iconData.h display/iconData.cpp)

set(KORVAX_LAYER_engine
  Causes.h Causes.cpp
  CompList.h CompList.cpp
  Event.h Event.cpp
  KeySwitch.h KeySwitch.cpp
  OutOfMemory.h OutOfMemory.cpp
  PaneOut.h PaneOut.cpp
  Ph1.h Ph1.cpp
  Ph2.h Ph2.cpp
  Ph3.h Ph3.cpp
  Ph4.h Ph4.cpp
  RTSigSup.h RTSigSup.cpp
  RunTime.cpp
  Schmtc.h Schmtc.cpp
  Signal.h Signal.cpp
  SkewHeap.h SkewHeap.cpp
  SourcePlace.h SourcePlace.cpp
  StderrBuffer.h StderrBuffer.cpp
  SwList.h SwList.cpp
  Transit.cpp
  Vcd.h Vcd.cpp
  Vectors.h Vectors.cpp
  Watch.h Watch.cpp
  addStCmp.h addStCmp.cpp
  cmdLine.h cmdLine.cpp
  getopt.h getopt.cpp)

set(KORVAX_LAYER_components
  components/ssi.h components/ssiPh1.cpp components/ssiRT.cpp
  components/msi.h components/msiPh1.cpp components/msiRT.cpp
  components/vlsi.h components/vlsiPh1.cpp components/vlsiRT.cpp)

set(KORVAX_LAYER_analysis
  Kinds.h Kinds.cpp
  Netlist.h Netlist.cpp
  Explain.h Explain.cpp
  Oscillation.h Oscillation.cpp
  Timing.h Timing.cpp)

set(KORVAX_LAYER_display
  display/Pane.h display/Pane.cpp
  display/SupProbe.h display/SupProbe.cpp
  display/Tab.h display/Tab.cpp
  display/WatchPanel.h display/WatchPanel.cpp
  display/Window.h display/Window.cpp
  display/WindowEv.h display/WindowEv.cpp)

set(KORVAX_LAYER_passes
  display/IconDraw.h display/IconDraw.cpp
  display/Ph5.h display/Ph5.cpp
  display/SupDisp.cpp)

set(KORVAX_LAYER_input
  display/FandCOp.cpp
  display/WindowIn.h display/WindowIn.cpp)

set(KORVAX_LAYER_driver
  Sim.h Sim.cpp
  Ph4Run.cpp
  main.cpp
  korvax.h)
