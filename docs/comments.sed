# Our comments as doxygen reads them: a "//" line before a declaration
# documents it, a "//" after a member on its line documents that member.
s|^\( *\)// |\1/// |
s|^\( *\)//$|\1///|
s|\([;,{}]\) *// |\1 ///< |
