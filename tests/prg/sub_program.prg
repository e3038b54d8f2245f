* Run by routines.prg with DO: its privates go when it returns, so it
* leaves a value behind in a variable the caller already had.
PARAMETERS tcFrom
? "sub_program:", tcFrom, JUSTFNAME(SYS(16))
pcFromSub = "set in sub_program"
