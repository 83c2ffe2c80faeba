cmake_minimum_required(VERSION 3.25)
# Puts what page_parts wrote from the window's tables into a file of the page: the controls for
# @CONTROLS@, the chart's panel for @CHART@, the phone's media query for @PHONE@.
# cmake -DIN= -DOUT= -DCONTROLS= -DCHART= -DPHONE=
file(READ ${IN} text)
file(READ ${CONTROLS} controls)
file(READ ${CHART} chart)
file(READ ${PHONE} phone)
string(REPLACE "@CONTROLS@\n" "${controls}" text "${text}")
string(REPLACE "@CHART@\n" "${chart}" text "${text}")
string(REPLACE "@PHONE@" "${phone}" text "${text}")
file(WRITE ${OUT} "${text}")
