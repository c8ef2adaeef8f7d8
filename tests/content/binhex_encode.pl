#!/usr/bin/perl
# binhex_encode.pl IN OUT TYPE: BinHex 4.0 text of a file (its data fork,
# the given file type, an empty resource fork) by Debian's Convert::BinHex.
use strict;
use warnings;
use Convert::BinHex;
my ($in, $out, $type) = @ARGV;
my $hqx = Convert::BinHex->new;
$hqx->filename("data.bin");
$hqx->type($type);
$hqx->creator("test");
$hqx->flags(0);
$hqx->version(0);
$hqx->resource(Data => "", Fork => "RSRC");
$hqx->data(Path => $in, Fork => "DATA");

open(my $fh, '>', $out) or die "cannot write $out: $!";
binmode $fh;
$hqx->encode($fh);
close $fh or die;
