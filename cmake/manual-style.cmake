# cmake -DPAGE=keyview.html -P manual-style.cmake: mandoc's web page of the
# Windows manual, given a style of its own, so that a Windows user reads it
# as a page: headings and diagnostics as text, not as the links to
# themselves that mandoc makes them, and the example's long line wrapped
# rather than run off the page.
file(READ ${PAGE} page)
string(REPLACE "  </style>" "    body { max-width: 48em; margin: 1em auto; padding: 0 1em;
      font-family: sans-serif; line-height: 1.4; }
    a.permalink { color: inherit; text-decoration: none; }
    pre { white-space: pre-wrap; overflow-wrap: anywhere; }
  </style>" page "${page}")
file(WRITE ${PAGE} "${page}")
