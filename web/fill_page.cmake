cmake_minimum_required(VERSION 3.25)
# Puts what page_parts wrote from the window's tables into a file of the page: the controls for
# @CONTROLS@, the chart's panel for @CHART@, the recipe's for @RECIPE@, the phone's media query for
# @PHONE@.
# cmake -DIN= -DOUT= -DCONTROLS= -DCHART= -DRECIPE= -DPHONE=
file(READ ${IN} text)
file(READ ${CONTROLS} controls)
file(READ ${CHART} chart)
file(READ ${RECIPE} recipe)
file(READ ${PHONE} phone)
string(REPLACE "@CONTROLS@\n" "${controls}" text "${text}")
string(REPLACE "@CHART@\n" "${chart}" text "${text}")
string(REPLACE "@RECIPE@\n" "${recipe}" text "${text}")
string(REPLACE "@PHONE@" "${phone}" text "${text}")
file(WRITE ${OUT} "${text}")
