cmake_minimum_required(VERSION 3.25)
# Makes a release of the page from the files of a build: cmake -DSTAGE= -DSITE= -DWORKER= -P
# The page's script, style, layout, module and .wasm are written under names that carry a hash of
# their content (app.<hash>.js), and every file that names one of them names it so; index.html,
# the manifest and the icons keep their names. So a page asks for its own release's files and no
# other. The service worker, written last, lists them all; its cache is named by the release.
file(REMOVE_RECURSE ${SITE})
file(MAKE_DIRECTORY ${SITE})

# Writes TEXT into the site under NAME with its hash; the new name in OUT.
function(write_hashed name text out)
    string(SHA256 hash "${text}")
    string(SUBSTRING ${hash} 0 12 hash)
    string(REGEX REPLACE "^(.*)(\\.[a-z]+)$" "\\1.${hash}\\2" hashed ${name})
    file(WRITE ${SITE}/${hashed} "${text}")
    set(${out} ${hashed} PARENT_SCOPE)
endfunction()

# The .wasm, whose bytes are copied as they are.
file(SHA256 ${STAGE}/olvimar.wasm hash)
string(SUBSTRING ${hash} 0 12 hash)
set(wasm olvimar.${hash}.wasm)
file(COPY_FILE ${STAGE}/olvimar.wasm ${SITE}/${wasm})

# The module names the .wasm; the page's script names the module; the page names them all.
file(READ ${STAGE}/olvimar.js text)
string(REPLACE "\"olvimar.wasm\"" "\"${wasm}\"" text "${text}")
write_hashed(olvimar.js "${text}" module)
file(READ ${STAGE}/app.js text)
string(REPLACE "\"./olvimar.js\"" "\"./${module}\"" text "${text}")
write_hashed(app.js "${text}" script)
file(READ ${STAGE}/style.css text)
write_hashed(style.css "${text}" style)
file(READ ${STAGE}/layout.css text)
write_hashed(layout.css "${text}" layout)
file(READ ${STAGE}/index.html text)
foreach(pair "style.css=${style}" "layout.css=${layout}" "olvimar.js=${module}" "app.js=${script}")
    string(REPLACE "=" ";" pair ${pair})
    list(GET pair 0 from)
    list(GET pair 1 to)
    string(REPLACE "\"${from}\"" "\"${to}\"" text "${text}")
endforeach()
file(WRITE ${SITE}/index.html "${text}")

set(kept manifest.webmanifest icon.svg icon-192.png icon-512.png icon-maskable-512.png
         apple-touch-icon.png)
foreach(file ${kept})
    file(COPY_FILE ${STAGE}/${file} ${SITE}/${file})
endforeach()

# The worker: every file of the release, the page's address first, and the release's name, made
# of the content of them all.
set(files index.html ${style} ${layout} ${script} ${module} ${wasm} ${kept})
set(content "")
set(quoted "\"./\"")
foreach(file ${files})
    file(SHA256 ${SITE}/${file} hash)
    string(APPEND content "${file} ${hash}\n")
    string(APPEND quoted ", \"${file}\"")
endforeach()
string(SHA256 version "${content}")
string(SUBSTRING ${version} 0 16 VERSION)
set(FILES "${quoted}")
# Its comments are for this repository's readers, not for every phone that installs the page.
file(READ ${WORKER} worker)
string(REGEX REPLACE "(^|\n)[ ]*//[^\n]*" "" worker "${worker}")
string(CONFIGURE "${worker}" worker @ONLY)
file(WRITE ${SITE}/sw.js "${worker}")
