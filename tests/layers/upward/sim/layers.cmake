# A tree whose low layer includes its high one, and spells an include from
# its own folder: check-layers.cmake must refuse it.
set(KORVAX_LAYERS low high)
set(KORVAX_USES_low)
set(KORVAX_USES_high low)
set(KORVAX_LAYER_low low/Low.h low/Low.cpp)
set(KORVAX_LAYER_high high/High.h)
