# GTKWave script for the README's picture of a trace: the connector's control
# lines, the data direction, the data lines and the read marker, whole trace
# in view.
set lines [list \
    parallel_port.strobe_pin1 parallel_port.auto_linefeed_pin14 parallel_port.initialize_pin16 \
    parallel_port.select_in_pin17 parallel_port.direction_input \
    parallel_port.d7_pin9 parallel_port.d6_pin8 parallel_port.d5_pin7 parallel_port.d4_pin6 \
    parallel_port.d3_pin5 parallel_port.d2_pin4 parallel_port.d1_pin3 parallel_port.d0_pin2 \
    parallel_port.data_read]
gtkwave::addSignalsFromList $lines
gtkwave::setZoomRangeTimes 0 [gtkwave::getMaxTime]
