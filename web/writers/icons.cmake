# SPDX-FileCopyrightText: 2026 Lotto developers
# SPDX-License-Identifier: GPL-3.0-or-later
# icons.cmake: renders the program's SVG icon as one square PNG for the home screen, in 12 colours to stay small.
# cmake -DSVG=lotto.svg -DSIZE=512 -DON_BACKGROUND=ON -DMANIFEST=manifest.webmanifest -DOUTPUT=x.png
#       -DRSVG_CONVERT=rsvg-convert -DPNGQUANT=pngquant -P icons.cmake
# ON_BACKGROUND draws the icon at 80 % of the square, centred on the manifest's background colour: where a phone
# cuts the icon to its own shape (a maskable icon) it keeps the centred circle of 80 %, and the ball, round and
# filling its square, lies inside it; a home screen that rounds the corners (Apple's) shows no black behind them.
# Otherwise the icon fills the square on a transparent ground.
cmake_minimum_required(VERSION 3.22)
set(placement -w ${SIZE} -h ${SIZE})
if(ON_BACKGROUND)
  file(READ "${MANIFEST}" manifest)
  string(JSON background GET "${manifest}" background_color)
  math(EXPR drawn "${SIZE} * 4 / 5")
  math(EXPR margin "(${SIZE} - ${drawn}) / 2")
  set(placement -w ${drawn} -h ${drawn} --page-width ${SIZE} --page-height ${SIZE} --left ${margin} --top ${margin}
                -b ${background})
endif()
get_filename_component(name "${OUTPUT}" NAME)
set(rendered "${CMAKE_CURRENT_BINARY_DIR}/${name}.rendered.png")  # beside the build's other work, not in the site
execute_process(COMMAND ${RSVG_CONVERT} ${placement} -o ${rendered} ${SVG} COMMAND_ERROR_IS_FATAL ANY)
# Without dithering the ball's gradient quantises into flat rings, which compress to a fraction of a dithered one.
execute_process(COMMAND ${PNGQUANT} --nofs --speed 1 --strip --force --output ${OUTPUT} 12 ${rendered}
                COMMAND_ERROR_IS_FATAL ANY)
file(REMOVE ${rendered})
