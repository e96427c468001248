-- What every installation needs before its first start: the establishment
-- (only ever updated), the working hours, cash register 1 and the two
-- reserved suppliers (0 hidden everywhere, 1 hidden from the lookup).
insert into estabelecimento (ncodigo, cfantasia, crazaosocial)
    values (1, 'Meu Bar', 'Meu Bar');
insert into horario (thora1, thora2) values ('18:00', '06:00');
insert into caixa (ncodigo, coperador) values (1, 'Caixa 1');
-- Their other texts are empty, as the register stores them: a null address
-- would keep "Diversos" out of the supplier list's unfiltered search.
insert into fornecedor (ncodigo, cfantasia, crazao, nfisica_juridica, ccnpj, cie, ccidade, ccep, cfone,
                        cfax, cemail, cendereco, cbairro, cobs, ccontato)
    values (0, 'Nenhum', 'Nenhum', 1, '', '', '', '', '', '', '', '', '', '', '');
insert into fornecedor (ncodigo, cfantasia, crazao, nfisica_juridica, ccnpj, cie, ccidade, ccep, cfone,
                        cfax, cemail, cendereco, cbairro, cobs, ccontato)
    values (1, 'Diversos', 'Diversos', 1, '', '', '', '', '', '', '', '', '', '', '');
