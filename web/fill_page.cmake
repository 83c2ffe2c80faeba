cmake_minimum_required(VERSION 3.25)
# Puts the controls written from the window's table into the page: cmake -DPAGE= -DCONTROLS= -DOUT=
file(READ ${PAGE} page)
file(READ ${CONTROLS} controls)
string(REPLACE "@CONTROLS@\n" "${controls}" page "${page}")
file(WRITE ${OUT} "${page}")
