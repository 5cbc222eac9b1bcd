from typing import Iterable, NamedTuple, Optional, Sequence, Union

import pandas

FOUND: int
KYOTO_STREET: int
GENERIC_CODE: int
NO_PREFECTURE: int
NO_CITY: int
FORMER_NAME: int
CODE_DIFFERS: int
OK: int
REPLACED: int
INVALID: int
NUL_BYTE: int
PLACEHOLDER: str
library_version: str
RESULT_COLUMNS: tuple[str, str, str, str, str]

class Result(tuple[int, str, str, str, str]):
    """The answer of one lookup, as `keszip lookup` prints it."""

    @property
    def flags(self) -> int: ...
    @property
    def code(self) -> str: ...
    @property
    def old_code(self) -> str: ...
    @property
    def address_number(self) -> str: ...
    @property
    def local_code(self) -> str: ...
    @property
    def status(self) -> int: ...

class Engine:
    """An engine over the postal-code dictionaries."""

    def __init__(self, folder: Optional[str] = None) -> None: ...
    @property
    def folder(self) -> Optional[str]: ...
    def lookup(self, address: Union[str, bytes], hyphen: bool = False) -> Result: ...
    def lookup_many(
        self, addresses: Iterable[Union[str, bytes]], hyphen: bool = False
    ) -> list[Result]: ...

    def lookup_csv(self, block: bytes, column: int, hyphen: bool = False) -> tuple[bytes, int]: ...
    def lookup_columns(
        self, addresses: Iterable[Union[str, bytes]], hyphen: bool = False
    ) -> tuple[list[int], list[str], list[str], list[str], list[str], list[int]]: ...

def default_engine() -> Engine: ...
def lookup_frame(
    df: pandas.DataFrame,
    column: object,
    prefix: str = "",
    engine: Optional[Engine] = None,
    hyphen: bool = False,
) -> pandas.DataFrame: ...
