# The Windows installer's licence page: the licence, then the third-party notices, as one
# UTF-8 text that begins with a byte-order mark, which the page needs to read it as UTF-8.
#   cmake -DLICENCE=<file> -DNOTICES=<file> -DOUTPUT=<file> -P LicencePage.cmake
string(ASCII 239 187 191 text)
file(READ ${LICENCE} licence)
file(READ ${NOTICES} notices)
file(WRITE ${OUTPUT} "${text}${licence}\n\n${notices}")
