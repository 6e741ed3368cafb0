"""Exceptions of the zeltmath package."""


class FormulaError(ValueError):
    """A formula could not be parsed, evaluated or differentiated.

    ``code`` is the formula engine's error code (1 to 28; 0 if unknown) and
    ``message`` its message text.
    """

    def __init__(self, code, message):
        super().__init__("%s (formula error %d)" % (message, code))
        self.code = code
        self.message = message


class LPError(ValueError):
    """A linear program has no optimum.

    ``status`` is the engine's status: 2 infeasible, 3 unbounded, 4 any other
    failure.
    """

    def __init__(self, status, message):
        super().__init__("%s (status %d)" % (message, status))
        self.status = status
        self.message = message
