# cmake -DCMARK=<cmark-gfm> -DINPUT=<guide.md> -DOUTPUT=<guide.html> -P RenderGuide.cmake
# The referee's guide as one HTML page (GitHub-flavoured Markdown: tables, autolinks), with a small
# style sheet; its pictures are referenced as screenshots/<page>.png beside it.
execute_process(COMMAND ${CMARK} --extension table --extension autolink --to html ${INPUT}
                OUTPUT_VARIABLE body RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "cmark-gfm could not render ${INPUT}")
endif()
# Headings get the anchors the guide's table of contents links to (GitHub's rule: lower case,
# blanks to hyphens, punctuation dropped).
string(REGEX MATCHALL "<h[23]>[^<]*</h[23]>" headings "${body}")
foreach(heading ${headings})
  string(REGEX REPLACE "<h([23])>([^<]*)</h[23]>" "\\1" level "${heading}")
  string(REGEX REPLACE "<h[23]>([^<]*)</h[23]>" "\\1" text "${heading}")
  string(TOLOWER "${text}" anchor)
  string(REGEX REPLACE "&[a-z]+;" "" anchor "${anchor}")
  string(REGEX REPLACE "[^a-z0-9 _-]" "" anchor "${anchor}")
  string(REPLACE " " "-" anchor "${anchor}")
  string(REPLACE "${heading}" "<h${level} id=\"${anchor}\">${text}</h${level}>" body "${body}")
endforeach()
file(WRITE ${OUTPUT} "<!DOCTYPE html>
<html lang=\"en\">
<head>
<meta charset=\"utf-8\">
<title>The referee's guide to Vellum Saves List</title>
<style>
body{font-family:sans-serif;max-width:60em;margin:1.5em auto;padding:0 1em;line-height:1.45;color:#222}
table{border-collapse:collapse}th,td{border:1px solid #bbb;padding:.2em .5em;vertical-align:top}
pre{background:#f4f4f4;padding:.6em;overflow-x:auto}code{font-size:.95em}img{max-width:100%}
</style>
</head>
<body>
${body}</body>
</html>
")
