-- The keszip functions. Their answers depend only on their arguments and on
-- the dictionary the server reads (its edition: keszip_version()), so they
-- are IMMUTABLE: indexes and generated columns may use them. After the
-- dictionary is replaced by a new edition, rebuild such indexes (REINDEX)
-- and recompute stored codes.
\echo Use "CREATE EXTENSION keszip" to load this file. \quit

CREATE TYPE keszip_result AS (
    flags integer,         -- result flags, 0 when the address was not placed
    code text,             -- 7-digit code, or the error text (ERR-nnn)
    old_code text,         -- old 3- or 5-digit code
    address_number text,   -- address number for the customer barcode
    local_code text        -- local-government code of the municipality
);

CREATE FUNCTION keszip_lookup(address text, hyphen boolean DEFAULT false)
RETURNS keszip_result
AS 'MODULE_PATHNAME', 'keszip_lookup'
LANGUAGE C IMMUTABLE STRICT PARALLEL SAFE;

CREATE FUNCTION keszip_code(address text)
RETURNS text
AS 'MODULE_PATHNAME', 'keszip_code'
LANGUAGE C IMMUTABLE STRICT PARALLEL SAFE;

CREATE FUNCTION keszip_address(code text)
RETURNS TABLE (flags integer, code7 text, old_code text, prefecture text, city text,
               ward text, town text, town_note text)
AS 'MODULE_PATHNAME', 'keszip_address'
LANGUAGE C IMMUTABLE STRICT PARALLEL SAFE ROWS 10;

CREATE FUNCTION keszip_search(prefix text)
RETURNS TABLE (prefecture text, city text, municipality text, town text, town_note text)
AS 'MODULE_PATHNAME', 'keszip_search'
LANGUAGE C IMMUTABLE STRICT PARALLEL SAFE ROWS 50;

CREATE FUNCTION keszip_version()
RETURNS text
AS 'MODULE_PATHNAME', 'keszip_version'
LANGUAGE C IMMUTABLE STRICT PARALLEL SAFE;
